#pragma once

#include <string>

namespace tulma {

// The whole content of FileName ("-" is standard input). A file that cannot be opened or read, a
// folder included, raises EFileError naming it.
std::string ReadFileContent(const std::string& FileName);

// How files are named in messages: "-" is standard input.
std::string DisplayName(const std::string& FileName);

}  // namespace tulma
