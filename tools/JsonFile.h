#pragma once

#include <string>

#include "Json.h"

namespace tulma {

// Parses the JSON document in FileName ("-" reads standard input). A syntax error or a member named
// twice in one object raises EFileError with the line and column or the JSON path.
Json ReadJsonFile(const std::string& FileName);

}  // namespace tulma
