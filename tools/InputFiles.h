#pragma once

#include <string>

#include "Json.h"

namespace tulma {

// The whole content of FileName ("-" is standard input). A file that cannot be opened or read, a
// folder included, raises EFileError naming it.
std::string ReadFileContent(const std::string& FileName);

// How files are named in messages: "-" is standard input.
std::string DisplayName(const std::string& FileName);

// Parses the JSON document in FileName ("-" reads standard input). A syntax error or a member named
// twice in one object raises EFileError with the line and column or the JSON path.
TJson ReadJsonFile(const std::string& FileName);

}  // namespace tulma
