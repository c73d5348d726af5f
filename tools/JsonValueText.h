#pragma once

#include <string>

#include "Json.h"

namespace tulma {

// A JSON value as error messages quote it: short values in full, long ones cut.
std::string JsonValueText(const Json& Value);

}  // namespace tulma
