#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace tulma {

// Text with its ASCII letters in lower case, for names that machines compare (keysyms, modifiers).
inline std::string AsciiLower(std::string_view Text) {
    std::string Result(Text);
    std::transform(Result.begin(), Result.end(), Result.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return Result;
}

}  // namespace tulma
