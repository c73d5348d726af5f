#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tulma {

// A whole number written in decimal: leading blanks, an optional sign, at least one digit and nothing
// after them. None when the text is anything else or the number does not fit 32 bits.
std::optional<int32_t> TryTextToInteger(std::string_view Text);

// The same, raising EInvalidInteger for a text that is not a whole number.
int32_t TextToInteger(std::string_view Text);

}  // namespace tulma
