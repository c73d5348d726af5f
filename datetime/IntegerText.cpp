#include "IntegerText.h"

#include <algorithm>
#include <charconv>

#include "DateErrors.h"

namespace tulma {

std::optional<int32_t> TryTextToInteger(std::string_view Text) {
    std::string_view Digits = Text.substr(std::min(Text.find_first_not_of(' '), Text.size()));
    // from_chars takes a minus but no plus.
    if (!Digits.empty() && Digits.front() == '+') {
        Digits.remove_prefix(1);
        if (!Digits.empty() && Digits.front() == '-') {
            return std::nullopt;
        }
    }
    int32_t Value = 0;
    const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value);
    if (Error != std::errc() || End != Digits.data() + Digits.size()) {
        return std::nullopt;
    }
    return Value;
}

int32_t TextToInteger(std::string_view Text) {
    const auto Value = TryTextToInteger(Text);
    if (!Value) {
        throw EInvalidInteger(Text);
    }
    return *Value;
}

}  // namespace tulma
