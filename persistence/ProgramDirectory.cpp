#include "ProgramDirectory.h"

#include <filesystem>

namespace tulma {

std::string ProgramDirectory() {
    std::error_code Error;
    const auto Executable = std::filesystem::read_symlink("/proc/self/exe", Error);
    return Error ? std::filesystem::current_path().string() : Executable.parent_path().string();
}

std::string AddFileName(const std::string& FileName) {
    return (std::filesystem::path(ProgramDirectory()) / FileName).string();
}

std::string AddFileName(const std::string& Directory, const std::string& FileName) {
    return Directory.ends_with('/') ? Directory + FileName : Directory + '/' + FileName;
}

}  // namespace tulma
