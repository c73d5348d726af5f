#pragma once

#include <nlohmann/json.hpp>

namespace tulma {

// Members keep their order, so a dump lists an object's fields in stream order.
using Json = nlohmann::ordered_json;

// The members of an object's JSON form that are not fields: its class name and a list's items.
inline constexpr const char* ClassMember = "class";
inline constexpr const char* ItemsMember = "Items";

}  // namespace tulma
