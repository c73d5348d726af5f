#include "CommandLineFileName.h"

#include <filesystem>
#include <system_error>

#include "ProgramDirectory.h"

namespace tulma {

std::string CommandLineFileName(const std::string& Argument, const std::string& WorkingDirectory) {
    std::string FileName = Argument;
    const auto LastSeparator = FileName.rfind('/');
    const auto NameStart = LastSeparator == std::string::npos ? 0 : LastSeparator + 1;
    if (FileName.find('.', NameStart) == std::string::npos) {
        FileName += ".tul";
    }
    if (!FileName.starts_with('/') && !WorkingDirectory.empty()) {
        FileName = AddFileName(WorkingDirectory, FileName);
    }
    return FileName;
}

std::string WorkingDirectory() {
    std::error_code Error;
    const std::filesystem::path Directory = std::filesystem::current_path(Error);
    return Error ? std::string() : Directory.string();
}

}  // namespace tulma
