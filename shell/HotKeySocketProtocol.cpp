#include "HotKeySocketProtocol.h"

#include <charconv>
#include <string_view>

namespace tulma {

std::optional<std::string> RunIdRequestLine(std::int32_t ID, const std::string& FileName) {
    std::string Line = std::string(RunIdRequest, RunIdRequestLength) + std::to_string(ID) + " " + FileName;
    if (FileName.find_first_of(std::string_view("\n\0", 2)) != std::string::npos ||
        std::ssize(Line) >= MaxRequestLength) {
        return std::nullopt;
    }
    return Line + '\n';
}

std::optional<TRunIdRequest> ParseRunIdRequest(const std::string& Request) {
    const std::string_view Prefix(RunIdRequest, RunIdRequestLength);
    if (!Request.starts_with(Prefix)) {
        return std::nullopt;
    }
    const std::string_view Rest = std::string_view(Request).substr(Prefix.size());
    const std::size_t Space = Rest.find(' ');
    TRunIdRequest Parsed;
    const char* End = Rest.data() + (Space == std::string_view::npos ? Rest.size() : Space);
    const auto [Stop, Error] = std::from_chars(Rest.data(), End, Parsed.ID);
    if (Space == std::string_view::npos || Error != std::errc() || Stop != End) {
        return std::nullopt;
    }
    Parsed.FileName = Rest.substr(Space + 1);
    return Parsed;
}

}  // namespace tulma
