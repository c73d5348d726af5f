#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ClassRegistry.h"
#include "Errors.h"

namespace tulma {

class TStreamableObject;

// An in-memory byte buffer with typed little-endian writers and readers. Saving and loading go
// through it so that a file is read and written in one piece.
//
// The readers never trust the data: a value that runs past the end of the buffer, a negative or
// oversized length, or objects nested too deeply raise EReadError instead of reading garbage.
class TObjectStream {
  public:
    static constexpr int32_t GeneralSize = 512;
    static constexpr int MaxNesting = 64;

    // The buffer starts InitialSize zero bytes long, not merely reserved: a saved file is at least that
    // long, the bytes past the written data staying zero.
    explicit TObjectStream(int32_t InitialSize);
    TObjectStream(const TObjectStream&) = delete;
    TObjectStream& operator=(const TObjectStream&) = delete;

    void LoadFromFile(const std::string& FileName);
    void LoadFromBytes(std::span<const uint8_t> Bytes);
    // Replaces the file as a whole: either the old or the new content is on disk afterwards.
    void SaveToFile(const std::string& FileName) const;

    void WriteObject(const TStreamableObject& Object);
    std::unique_ptr<TStreamableObject> ReadObject();
    // ReadObject for a field that must hold an object of class T (or derived from it).
    template <class T>
    std::unique_ptr<T> ReadObjectOf();
    // ReadObject for a field that holds its object by value, which spares the object an allocation of
    // its own; it must be stored as exactly a T. Anything else there is refused as by ReadObjectOf.
    template <class T>
    T ReadObjectValue();

    void WriteInteger(int32_t Value) { WriteLittleEndian(static_cast<uint32_t>(Value), 4); }
    void WriteLongInt(int32_t Value) { WriteLittleEndian(static_cast<uint32_t>(Value), 4); }
    void WriteSmallInt(int16_t Value) { WriteLittleEndian(static_cast<uint16_t>(Value), 2); }
    void WriteWord(uint16_t Value) { WriteLittleEndian(Value, 2); }
    void WriteByte(uint8_t Value) { WriteLittleEndian(Value, 1); }
    void WriteBoolean(bool Value) { WriteByte(Value ? 1 : 0); }
    void WriteString(const std::string& Value);

    int32_t ReadInteger() { return static_cast<int32_t>(ReadLittleEndian<uint32_t>()); }
    int32_t ReadLongInt() { return static_cast<int32_t>(ReadLittleEndian<uint32_t>()); }
    int16_t ReadSmallInt() { return static_cast<int16_t>(ReadLittleEndian<uint16_t>()); }
    uint16_t ReadWord() { return ReadLittleEndian<uint16_t>(); }
    uint8_t ReadByte() { return ReadLittleEndian<uint8_t>(); }
    bool ReadBoolean() { return ReadByte() != 0; }
    std::string ReadString();

    // A count of items that each take at least MinItemSize bytes; a count that the remaining data
    // cannot hold is damage, caught before anything is allocated for it.
    int32_t ReadCount(int32_t MinItemSize);

    int32_t Size() const { return static_cast<int32_t>(FBuffer.size()); }
    int32_t Position() const { return FPosition; }
    int32_t Remaining() const { return Size() - FPosition; }
    const std::vector<uint8_t>& Bytes() const { return FBuffer; }
    // The file the buffer was loaded from, for error messages; empty for a stream built in memory.
    const std::string& SourceName() const { return FSourceName; }

    [[noreturn]] void FailRead(const std::string& What) const;

  private:
    void WriteLittleEndian(uint32_t Value, int ByteCount);
    void WriteBytes(const uint8_t* Data, size_t Count);
    // One bounds check for the whole value, then its bytes.
    template <class Unsigned>
    Unsigned ReadLittleEndian() {
        RequireBytes(sizeof(Unsigned), "a value");
        const uint8_t* Bytes = FBuffer.data() + FPosition;
        FPosition += static_cast<int32_t>(sizeof(Unsigned));
        return AssembleLittleEndian<Unsigned>(Bytes, std::make_index_sequence<sizeof(Unsigned)>());
    }
    // Byte by byte, so the value is the same on hosts of either byte order; where the host is
    // little-endian, compilers make this a single load.
    template <class Unsigned, size_t... Index>
    static Unsigned AssembleLittleEndian(const uint8_t* Bytes, std::index_sequence<Index...>) {
        return static_cast<Unsigned>(((static_cast<Unsigned>(Bytes[Index]) << (8 * Index)) | ...));
    }
    void RequireBytes(int64_t Count, const char* What) const {
        if (Count > Remaining()) [[unlikely]] {
            FailPastEnd(Count, What);
        }
    }
    [[noreturn]] void FailPastEnd(int64_t Count, const char* What) const;
    void CheckNesting() const;

    // The class last read at each nesting level. The objects at one level are mostly the items of one
    // list, of one class, so remembering it spares a registry search for nearly every object. Its
    // constructor and C++ class are kept, not its descriptor, which a later registration may move.
    struct TClassAtLevel {
        int32_t Code = 0;
        TClassDescriptor::TCreateFromStreamFunction CreateFromStream = nullptr;
        const std::type_info* Type = nullptr;
    };
    const TClassAtLevel& ClassAtThisLevel(int32_t Code);

    // One level deeper while the fields of an object are read.
    class TNestingLevel {
      public:
        explicit TNestingLevel(int& Nesting) : FDepth(Nesting) { ++FDepth; }
        ~TNestingLevel() { --FDepth; }
        TNestingLevel(const TNestingLevel&) = delete;
        TNestingLevel& operator=(const TNestingLevel&) = delete;

      private:
        int& FDepth;
    };

    std::vector<uint8_t> FBuffer;
    int32_t FPosition = 0;
    int FNesting = 0;
    std::array<TClassAtLevel, MaxNesting> FClassAtLevel{};
    std::string FSourceName;
};

}  // namespace tulma

#include "StreamableObject.h"

namespace tulma {

template <class T>
std::unique_ptr<T> TObjectStream::ReadObjectOf() {
    const int32_t At = FPosition;
    auto Object = ReadObject();
    if (auto* Typed = TryCastTo<T>(Object.get())) {
        Object.release();
        return std::unique_ptr<T>(Typed);
    }
    FPosition = At;
    FailRead("the object at byte " + std::to_string(At) + " is not a " + T::ClassName);
}

template <class T>
T TObjectStream::ReadObjectValue() {
    const int32_t At = FPosition;
    CheckNesting();
    const std::type_info* Stored = ClassAtThisLevel(ReadInteger()).Type;
    if (Stored == nullptr || *Stored != typeid(T)) {
        // Read as any other object first, so that it meets the same checks; an heir of T passes them,
        // but a field that holds a T cannot hold it.
        FPosition = At;
        ReadObjectOf<T>();
        FPosition = At;
        FailRead("the object at byte " + std::to_string(At) + " is not exactly a " + T::ClassName);
    }
    TNestingLevel Level(FNesting);
    return T(*this);
}

}  // namespace tulma
