#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Locale-aware text operations under the user's locale. Text is bytes: valid UTF-8 is read as such,
// anything else as Windows-1252, the code page of files written on Windows.
namespace tulma {

// -1, 0 or 1, ignoring case.
int8_t CompareTextIgnoreCase(std::string_view A, std::string_view B);

// The text in upper case, as UTF-8.
std::string UpperCase(std::string_view Text);

}  // namespace tulma
