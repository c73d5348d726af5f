#include "SecondStart.h"

#include <filesystem>
#include <system_error>

#include "CommandLineFileName.h"
#include "HotKeySocketClient.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;

fs::path Resolved(const std::string& FileName) {
    std::error_code Error;
    const fs::path Canonical = fs::weakly_canonical(FileName, Error);
    return Error ? fs::absolute(FileName, Error).lexically_normal() : Canonical;
}

}  // namespace

bool ShowRunningTulma(const std::string& FileArgument) {
    // The path as this start would open it; the running Tulma may have another working directory.
    const std::string FileName =
        FileArgument.empty() ? std::string()
                             : Resolved(CommandLineFileName(FileArgument, WorkingDirectory())).string();
    return SendShowRequest(FileName);
}

bool NamesFileInUse(const std::string& Requested, const std::string& InUse) {
    return Requested.empty() || Resolved(Requested) == Resolved(InUse);
}

}  // namespace tulma
