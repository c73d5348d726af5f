#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tulma {

// Members keep their order, so a dump lists an object's fields in stream order.
using TJson = nlohmann::ordered_json;

// The members of an object's JSON form that are not fields: its class name and a list's items.
inline constexpr const char* ClassMember = "class";
inline constexpr const char* ItemsMember = "Items";

// JSON paths that name where in a document a value sits: $ is the document, .Name a member (["..."] when
// the name is not a plain identifier), [N] an array item.
std::string MemberPath(const std::string& Path, std::string_view Name);
std::string ItemPath(const std::string& Path, size_t Index);

// A JSON value as error messages quote it: short values in full, long ones cut.
std::string JsonValueText(const TJson& Value);

}  // namespace tulma
