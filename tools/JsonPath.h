#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tulma {

// JSON paths that name where in a document a value sits: $ is the document, .Name a member (["..."] when
// the name is not a plain identifier), [N] an array item.
std::string MemberPath(const std::string& Path, std::string_view Name);
std::string ItemPath(const std::string& Path, size_t Index);

}  // namespace tulma
