#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tulma {

class TStreamableObject;

// A stream file holds one object (its class code, then its fields) followed by filler that is never
// read. Both operations raise EFileError naming the file, with the byte offset of damage on reading.

// A stream file's object, and whether storing it again gives the very bytes it was read from: not so
// for a file in an older layout or with a string cut at a NUL, whose fields a dump cannot show.
struct TObjectFileContent {
    std::unique_ptr<TStreamableObject> Object;
    bool StoresBackUnchanged = true;
};

TObjectFileContent ReadObjectFile(const std::string& FileName);

// The size a stream for the object starts at, and so the least length of its file.
int32_t StreamSizeFor(const TStreamableObject& Object);

// Writes the object as a stream file. The bytes are first read back and must come back unchanged, so
// that nothing is written that the program could not load; the file is replaced as a whole or not at all.
void WriteObjectFile(const TStreamableObject& Object, const std::string& FileName);

}  // namespace tulma
