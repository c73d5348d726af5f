#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tulma {

// Writes Data as the new content of FileName without ever leaving a half-written file: the bytes go
// to a temporary file beside the target, which then replaces it in one rename. A symbolic link is
// followed to its target, and an existing file's permissions are kept. Any failure raises
// EFCreateError naming FileName and leaves the old file as it was.
void ReplaceFileContent(const std::string& FileName, std::span<const uint8_t> Data);

}  // namespace tulma
