#pragma once

#include <string>

namespace tulma {

// The directory of the running executable, without a trailing separator.
std::string ProgramDirectory();

// FileName in the program directory.
std::string AddFileName(const std::string& FileName);

}  // namespace tulma
