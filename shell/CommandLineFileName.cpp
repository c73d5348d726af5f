#include "CommandLineFileName.h"

#include "ProgramDirectory.h"

namespace tulma {

std::string CommandLineFileName(const std::string& Argument, const std::string& ProgramDirectory) {
    std::string FileName = Argument;
    const auto LastSeparator = FileName.rfind('/');
    const auto NameStart = LastSeparator == std::string::npos ? 0 : LastSeparator + 1;
    if (FileName.find('.', NameStart) == std::string::npos) {
        FileName += ".tul";
    }
    if (LastSeparator == std::string::npos) {
        FileName = AddFileName(ProgramDirectory, FileName);
    }
    return FileName;
}

}  // namespace tulma
