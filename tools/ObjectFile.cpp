#include "ObjectFile.h"

#include <algorithm>
#include <span>
#include <vector>

#include "Errors.h"
#include "HotKeyFile.h"
#include "InputFiles.h"
#include "ObjectStream.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

std::unique_ptr<TStreamableObject> ReadObjectFrom(TObjectStream& Stream) {
    try {
        return Stream.ReadObject();
    } catch (const EClassNotFound& Error) {
        // The reader has just taken the 4-byte code it could not find.
        throw EStreamError(std::string(Error.what()) + " (class code at byte " +
                           std::to_string(Stream.Position() - 4) + ")");
    }
}

bool StoresAs(const TStreamableObject& Object, std::span<const uint8_t> Data) {
    TObjectStream Stream(0);
    Stream.WriteObject(Object);
    return std::equal(Data.begin(), Data.end(), Stream.Bytes().begin(), Stream.Bytes().end());
}

}  // namespace

TObjectFileContent ReadObjectFile(const std::string& FileName) {
    TObjectStream Stream(TObjectStream::GeneralSize);
    TObjectFileContent Content;
    try {
        const std::string Bytes = ReadFileContent(FileName);
        Stream.LoadFromBytes(std::span(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size()));
        Content.Object = ReadObjectFrom(Stream);
    } catch (const EStreamError& Error) {
        throw EFileError(FileName, Error.what());
    }
    Content.StoresBackUnchanged =
        StoresAs(*Content.Object, std::span(Stream.Bytes()).first(static_cast<size_t>(Stream.Position())));
    return Content;
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
        if (!StoresAs(*ReadObjectFrom(Check), Data)) {
            throw EFileError(FileName, "not written: the data would not read back unchanged");
        }
    } catch (const EStreamError& Error) {
        throw EFileError(FileName, std::string("not written: the data would not read back: ") + Error.what());
    }
    // Its failure (EFCreateError) names the file already.
    Stream.SaveToFile(FileName);
}

}  // namespace tulma
