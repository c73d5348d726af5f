#pragma once

#include <string>

#include "Json.h"

namespace tulma {

// Stored strings are bytes. Bytes that are valid UTF-8 become a JSON string; any other bytes (text from
// a Windows-1252 file, say) become {"bytes": "<hex>"}, two upper-case hex digits a byte, so that no
// byte is lost or changed on the way back.
TJson StringToJson(const std::string& Bytes);

// The bytes of a JSON string or of a {"bytes": "<hex>"} object; Path names the value in errors. A NUL
// is refused: a stored string ends at its first NUL, so it could not come back.
std::string StringFromJson(const TJson& Value, const std::string& Path);

}  // namespace tulma
