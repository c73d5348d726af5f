#pragma once

#include <string>
#include <vector>

namespace tulma {

// The parts between every occurrence of Separator; n separators give n + 1 parts, empty ones included.
std::vector<std::string> SplitPath(const std::string& Path, char Separator);
std::string JoinPath(const std::vector<std::string>& Parts, char Separator);

// Path cut down towards MaxLength for a status line: the second part becomes Ellipsis and the parts
// after it are dropped from the front until the text fits or only the first part, the ellipsis and the
// last part remain. A path with fewer than three parts is returned as it is, however long.
std::string ShortenPath(const std::string& Path, char Separator, const std::string& Ellipsis,
                        std::size_t MaxLength);

}  // namespace tulma
