#include "ObjectStream.h"

#include <algorithm>
#include <cstring>
#include <fstream>

#include "ClassRegistry.h"
#include "FileReplacement.h"

namespace tulma {

TObjectStream::TObjectStream(int32_t InitialSize) : FBuffer(static_cast<size_t>(std::max(InitialSize, 0))) {}

void TObjectStream::LoadFromFile(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary | std::ios::ate);
    if (!File) {
        throw EFOpenError(FileName);
    }
    const std::streamoff Length = File.tellg();
    if (Length < 0 || Length > INT32_MAX) {
        throw EFOpenError(FileName);
    }
    std::vector<uint8_t> Content(static_cast<size_t>(Length));
    File.seekg(0);
    if (!File.read(reinterpret_cast<char*>(Content.data()), Length)) {
        throw EFOpenError(FileName);
    }
    FBuffer = std::move(Content);
    FPosition = 0;
    FSourceName = FileName;
}

void TObjectStream::LoadFromBytes(std::span<const uint8_t> Bytes) {
    if (Bytes.size() > static_cast<size_t>(INT32_MAX)) {
        FailRead("the data is larger than 2 GiB");
    }
    FBuffer.assign(Bytes.begin(), Bytes.end());
    FPosition = 0;
    FSourceName.clear();
}

void TObjectStream::SaveToFile(const std::string& FileName) const {
    ReplaceFileContent(FileName, FBuffer);
}

void TObjectStream::WriteObject(const TStreamableObject& Object) {
    WriteInteger(Object.GetRegistrationCode());
    Object.Store(*this);
}

std::unique_ptr<TStreamableObject> TObjectStream::ReadObject() {
    CheckNesting();
    const auto CreateFromStream = ClassAtThisLevel(ReadInteger()).CreateFromStream;
    TNestingLevel Level(FNesting);
    return CreateFromStream(*this);
}

void TObjectStream::CheckNesting() const {
    if (FNesting >= MaxNesting) {
        FailRead("objects are nested deeper than " + std::to_string(MaxNesting) + " levels at byte " +
                 std::to_string(FPosition));
    }
}

const TObjectStream::TClassAtLevel& TObjectStream::ClassAtThisLevel(int32_t Code) {
    TClassAtLevel& Last = FClassAtLevel[static_cast<size_t>(FNesting)];
    if (Last.CreateFromStream == nullptr || Last.Code != Code) {
        const TClassDescriptor& Class = ClassRegistry().GetClassForID(Code);
        Last = {Code, Class.CreateFromStream, Class.Type};
    }
    return Last;
}

void TObjectStream::WriteString(const std::string& Value) {
    WriteInteger(static_cast<int32_t>(Value.size()));
    WriteBytes(reinterpret_cast<const uint8_t*>(Value.data()), Value.size());
}

std::string TObjectStream::ReadString() {
    const int32_t At = FPosition;
    const int32_t Length = ReadInteger();
    if (Length < 0) {
        FPosition = At;
        FailRead("negative string length " + std::to_string(Length) + " at byte " + std::to_string(At));
    }
    RequireBytes(Length, "a string");
    const auto* Begin = reinterpret_cast<const char*>(FBuffer.data() + FPosition);
    FPosition += Length;
    // The value ends at the first NUL among the stored characters.
    const void* Nul = std::memchr(Begin, '\0', static_cast<size_t>(Length));
    return std::string(Begin, Nul ? static_cast<const char*>(Nul) : Begin + Length);
}

int32_t TObjectStream::ReadCount(int32_t MinItemSize) {
    const int32_t At = FPosition;
    const int32_t Count = ReadInteger();
    if (Count > 0 && static_cast<int64_t>(Count) * MinItemSize > Remaining()) {
        FPosition = At;
        FailRead("count " + std::to_string(Count) + " at byte " + std::to_string(At) +
                 " is more than the remaining " + std::to_string(Remaining() - 4) + " bytes can hold");
    }
    return Count;
}

void TObjectStream::FailRead(const std::string& What) const {
    throw EReadError(FSourceName.empty() ? What : FSourceName + ": " + What);
}

void TObjectStream::WriteLittleEndian(uint32_t Value, int ByteCount) {
    uint8_t Bytes[4];
    for (int I = 0; I < ByteCount; ++I) {
        Bytes[I] = static_cast<uint8_t>(Value >> (8 * I));
    }
    WriteBytes(Bytes, static_cast<size_t>(ByteCount));
}

// Overwrites what lies at the position and appends the rest, so the buffer grows only past its end.
void TObjectStream::WriteBytes(const uint8_t* Data, size_t Count) {
    const size_t Position = static_cast<size_t>(FPosition);
    const size_t Overwritten = std::min(Count, FBuffer.size() - Position);
    std::copy_n(Data, Overwritten, FBuffer.begin() + static_cast<std::ptrdiff_t>(Position));
    FBuffer.insert(FBuffer.end(), Data + Overwritten, Data + Count);
    FPosition = static_cast<int32_t>(Position + Count);
}

void TObjectStream::FailPastEnd(int64_t Count, const char* What) const {
    FailRead(std::string(What) + " of " + std::to_string(Count) + " bytes at byte " +
             std::to_string(FPosition) + " runs past the end of the data (" + std::to_string(Size()) +
             " bytes)");
}

}  // namespace tulma
