#pragma once

#include <string>

namespace tulma {

// The hotkey file named by a command-line argument: ".tul" is appended when the last component has no
// extension (a dot in a directory name does not count, a trailing dot does), and ProgramDirectory is put
// in front when the argument names no directory.
std::string CommandLineFileName(const std::string& Argument, const std::string& ProgramDirectory);

}  // namespace tulma
