#pragma once

#include <string>

namespace tulma {

// The first free name beside FileName for a copy of its bytes: FileName + ".damaged", or
// ".damaged.1", ".damaged.2"... when that is taken.
std::string FreeDamagedCopyName(const std::string& FileName);

// Copies the bytes of FileName to a new file under FreeDamagedCopyName, with FileName's permissions
// and flushed to disk, and returns the copy's name. A file that cannot be read raises EFOpenError
// naming it; a copy that cannot be made raises EFCreateError naming the copy and leaves none behind.
std::string KeepDamagedCopy(const std::string& FileName);

}  // namespace tulma
