#pragma once

#include <string>
#include <vector>

namespace tulma {

// Splits a command's parameter text into program arguments the way programs of the desktop that hotkey
// files come from split their command line (the C runtime's rule), without any expansion ($, ~, *, '
// stay literal):
// - blanks (space, tab) separate arguments; runs of blanks count once;
// - "..." groups, and a group next to other text forms one argument with it; "" is an empty argument;
// - a backslash is literal unless a run of them stands before a double quote: 2n backslashes and " give
//   n backslashes and a quote that opens or closes a group, 2n+1 give n backslashes and a literal ";
// - a group that is never closed runs to the end of the text.
// Every text splits, so no parameter text can keep a program from starting.
std::vector<std::string> SplitParameters(const std::string& Text);

}  // namespace tulma
