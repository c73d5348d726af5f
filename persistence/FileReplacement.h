#pragma once

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>

namespace tulma {

// The system calls of a save that can fail after the new bytes are on their way; tests put failing
// ones in their place.
struct TFileCalls {
    int (*MakeTemporary)(char* Pattern);
    int (*Sync)(int Handle);
    int (*Close)(int Handle);
    int (*Rename)(const char* From, const char* To);
};

// The calls of the system itself.
const TFileCalls& SystemFileCalls();

// Writes Data as the new content of FileName without ever leaving a half-written file: the bytes go
// to a temporary file beside the target, which then replaces it in one rename. A symbolic link is
// followed to its target, and an existing file's permissions are kept. Any failure raises
// EFCreateError naming FileName, leaves the old file as it was and removes the temporary file.
// When the folder refuses new files but the file itself may be written, the file is written over in
// place instead; it keeps its owner, permissions and hard links, and a failure part-way can leave
// it damaged.
void ReplaceFileContent(const std::string& FileName, std::span<const uint8_t> Data,
                        const TFileCalls& Calls = SystemFileCalls());

}  // namespace tulma

namespace tulma {

// Writes Data to a new file FileName, never over a file of that name, with Permissions and flushed to
// disk: 0, or the errno value of what failed (EEXIST: the name is taken). A file begun is removed again.
int WriteNewFile(const std::string& FileName, std::span<const uint8_t> Data, mode_t Permissions);

}  // namespace tulma
