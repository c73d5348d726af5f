#pragma once

#include <string>

namespace tulma {

// Where the default hotkey file "KeyList.TUL" lives: in ProgramDirectory when the program may write
// there, otherwise (an installed program) in the "tulma" folder of the user's configuration directory.
std::string DefaultHotKeyFileName(const std::string& ProgramDirectory);

// Whether the current user may create files in Directory. Root may write anywhere, but a directory
// that grants write access to nobody is taken as read-only for root too.
bool IsWritableDirectory(const std::string& Directory);

// Creates the missing folders of Directory, each open to its owner only (0700); a failure raises
// EFCreateError naming FileName.
void CreatePrivateDirectories(const std::string& Directory, const std::string& FileName);

}  // namespace tulma
