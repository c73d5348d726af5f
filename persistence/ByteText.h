#pragma once

#include <string>
#include <string_view>

// Text is bytes: valid UTF-8 is read as such, anything else as Windows-1252, the code page of files
// written on Windows. Every reader of stored text decodes it through these.
namespace tulma {

// Whether Bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view Bytes);

// Bytes read as Windows-1252; the five bytes it leaves undefined keep their own code points.
std::u16string FromWindows1252(std::string_view Bytes);

}  // namespace tulma
