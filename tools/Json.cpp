#include "Json.h"

#include <algorithm>

namespace tulma {
namespace {

// Longer values are cut when an error message quotes them.
constexpr size_t MaxShown = 40;

bool IsIdentifier(std::string_view Name) {
    const auto IsWordChar = [](char C) {
        return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_';
    };
    return !Name.empty() && !(Name[0] >= '0' && Name[0] <= '9') &&
           std::all_of(Name.begin(), Name.end(), IsWordChar);
}

}  // namespace

std::string MemberPath(const std::string& Path, std::string_view Name) {
    if (IsIdentifier(Name)) {
        return Path + "." + std::string(Name);
    }
    return Path + "[" + TJson(std::string(Name)).dump(-1, ' ', false, TJson::error_handler_t::replace) + "]";
}

std::string ItemPath(const std::string& Path, size_t Index) {
    return Path + "[" + std::to_string(Index) + "]";
}

std::string JsonValueText(const TJson& Value) {
    if (Value.is_object()) {
        return "an object";
    }
    if (Value.is_array()) {
        return "an array";
    }
    std::string Text = Value.dump(-1, ' ', false, TJson::error_handler_t::replace);
    if (Text.size() > MaxShown) {
        Text = Text.substr(0, MaxShown) + "...";
    }
    return Text;
}

}  // namespace tulma
