#include "MessageFormat.h"

#include <cstddef>

namespace tulma {
namespace {

std::string ArgText(const TMessageArg& Arg) {
    if (const auto* Number = std::get_if<int32_t>(&Arg)) {
        return std::to_string(*Number);
    }
    return std::get<std::string>(Arg);
}

}  // namespace

std::string FormatMessageText(const std::string& Pattern, const TMessageArgs& Args) {
    std::string Result;
    size_t NextArg = 0;
    for (size_t I = 0; I < Pattern.size(); ++I) {
        const char C = Pattern[I];
        const char Kind = I + 1 < Pattern.size() ? Pattern[I + 1] : '\0';
        if (C != '%' || (Kind != '%' && Kind != 'd' && Kind != 's')) {
            Result += C;
            continue;
        }
        ++I;
        if (Kind == '%') {
            Result += '%';
        } else if (NextArg < Args.size()) {
            Result += ArgText(Args[NextArg++]);
        } else {
            Result.append({'%', Kind});
        }
    }
    return Result;
}

}  // namespace tulma
