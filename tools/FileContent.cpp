#include "FileContent.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "FileError.h"

namespace tulma {
namespace {

std::string ReadAll(std::istream& Input, const std::string& FileName) {
    std::ostringstream Content;
    try {
        Content << Input.rdbuf();
    } catch (const std::ios_base::failure&) {
        throw EFileError(FileName, "cannot be read");
    }
    if (Input.bad()) {
        throw EFileError(FileName, "cannot be read");
    }
    return std::move(Content).str();
}

}  // namespace

std::string ReadFileContent(const std::string& FileName) {
    if (FileName == "-") {
        return ReadAll(std::cin, DisplayName(FileName));
    }
    std::error_code Ignored;
    if (std::filesystem::is_directory(FileName, Ignored)) {
        throw EFileError(FileName, "is a folder");
    }
    std::ifstream File(FileName, std::ios::binary);
    if (!File) {
        throw EFileError(FileName, std::strerror(errno));
    }
    return ReadAll(File, FileName);
}

std::string DisplayName(const std::string& FileName) {
    return FileName == "-" ? "<stdin>" : FileName;
}

}  // namespace tulma
