#pragma once

#include <string>

namespace tulma {

// The hotkey file named by a command-line argument: ".tul" is appended when the last component has no
// extension (a dot in a directory name does not count, a trailing dot does), and a relative name is
// taken from WorkingDirectory, as every program takes the file names it is given.
std::string CommandLineFileName(const std::string& Argument, const std::string& WorkingDirectory);

// The process's working directory; empty when it has gone.
std::string WorkingDirectory();

}  // namespace tulma
