#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tulma {

// Splits a command's parameter text into program arguments, the way a POSIX shell splits words but
// without any expansion ($, ~, *, ` stay literal):
// - blanks (space, tab, newline) separate arguments; runs of blanks count once;
// - '...' takes everything up to the next ' literally;
// - "..." takes everything up to the next unescaped "; inside it a backslash escapes only " and \ and
//   stays literal before any other character (so "C:\dir" keeps its backslash);
// - outside quotes a backslash makes the next character ordinary; a backslash at the very end stays;
// - quoted parts and plain parts next to each other form one argument; "" is an empty argument.
// A quote that is never closed makes the whole text unusable: the result is empty (no value), so the
// caller starts nothing rather than a program with arguments it was not meant to get.
std::optional<std::vector<std::string>> SplitParameters(const std::string& Text);

}  // namespace tulma
