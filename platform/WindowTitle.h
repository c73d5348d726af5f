#pragma once

#include <cstddef>
#include <string>

namespace tulma {

// Cuts Text to at most MaxBytes without splitting a UTF-8 sequence and ends it at an embedded NUL.
std::string CutTitle(std::string Text, std::size_t MaxBytes);

}  // namespace tulma
