#include "ObjectFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "Errors.h"
#include "FileError.h"
#include "HotKeyFile.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

std::vector<uint8_t> ReadBytes(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary);
    if (!File) {
        throw EFileError(FileName, std::strerror(errno));
    }
    std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    if (File.bad()) {
        throw EFileError(FileName, "cannot be read");
    }
    return Bytes;
}

std::unique_ptr<TStreamableObject> ReadObjectFrom(TObjectStream& Stream) {
    try {
        return Stream.ReadObject();
    } catch (const EClassNotFound& Error) {
        // The reader has just taken the 4-byte code it could not find.
        throw EStreamError(std::string(Error.what()) + " (class code at byte " +
                           std::to_string(Stream.Position() - 4) + ")");
    }
}

}  // namespace

std::unique_ptr<TStreamableObject> ReadObjectFile(const std::string& FileName) {
    TObjectStream Stream(TObjectStream::GeneralSize);
    try {
        Stream.LoadFromBytes(ReadBytes(FileName));
        return ReadObjectFrom(Stream);
    } catch (const EStreamError& Error) {
        throw EFileError(FileName, Error.what());
    }
}

int32_t StreamSizeFor(const TStreamableObject& Object) {
    return dynamic_cast<const THotKeyFile*>(&Object) != nullptr ? THotKeyFile::StreamSize
                                                                : TObjectStream::GeneralSize;
}

void WriteObjectFile(const TStreamableObject& Object, const std::string& FileName) {
    TObjectStream Stream(StreamSizeFor(Object));
    Stream.WriteObject(Object);
    const std::vector<uint8_t> Data(Stream.Bytes().begin(), Stream.Bytes().begin() + Stream.Position());
    try {
        TObjectStream Check(TObjectStream::GeneralSize);
        Check.LoadFromBytes(Data);
        const auto ReadBack = ReadObjectFrom(Check);
        TObjectStream Again(0);
        Again.WriteObject(*ReadBack);
        if (Again.Bytes() != Data) {
            throw EFileError(FileName, "not written: the data would not read back unchanged");
        }
    } catch (const EStreamError& Error) {
        throw EFileError(FileName, std::string("not written: the data would not read back: ") + Error.what());
    }
    // Its failure (EFCreateError) names the file already.
    Stream.SaveToFile(FileName);
}

}  // namespace tulma
