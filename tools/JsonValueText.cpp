#include "JsonValueText.h"

namespace tulma {
namespace {
constexpr size_t MaxShown = 40;
}  // namespace

std::string JsonValueText(const Json& Value) {
    if (Value.is_object()) {
        return "an object";
    }
    if (Value.is_array()) {
        return "an array";
    }
    std::string Text = Value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (Text.size() > MaxShown) {
        Text = Text.substr(0, MaxShown) + "...";
    }
    return Text;
}

}  // namespace tulma
