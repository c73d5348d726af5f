#pragma once

#include <string>

namespace tulma {

// The directory of the running executable, without a trailing separator.
std::string ProgramDirectory();

// FileName in the program directory.
std::string AddFileName(const std::string& FileName);

// Directory, a separator unless Directory already ends with one, then FileName.
std::string AddFileName(const std::string& Directory, const std::string& FileName);

}  // namespace tulma
