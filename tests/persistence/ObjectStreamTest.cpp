#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ClassRegistry.h"
#include "ID.h"
#include "IDList.h"
#include "ObjectList.h"
#include "SortedObjectList.h"
#include "StreamBytes.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "Text.h"

namespace tulma {
namespace {

using test::Bytes;
using test::Written;

TEST(ObjectStreamEncoding, WritersProduceLittleEndianBytes) {
    TObjectStream Stream(0);
    Stream.WriteString("");
    Stream.WriteString("abc");
    Stream.WriteInteger(-1);
    Stream.WriteSmallInt(-2);
    Stream.WriteWord(258);
    Stream.WriteBoolean(true);
    Stream.WriteByte(0x7F);
    EXPECT_EQ(Written(Stream), (Bytes{0,    0,    0,    0,    3,    0,    0, 0, 'a', 'b', 'c',
                                      0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 2, 1, 1,   0x7F}));
}

TEST(ObjectStreamEncoding, ReadersGiveBackWhatWritersWrote) {
    TObjectStream Stream(0);
    Stream.WriteInteger(INT32_MIN);
    Stream.WriteLongInt(123456789);
    Stream.WriteSmallInt(INT16_MIN);
    Stream.WriteWord(65535);
    Stream.WriteByte(200);
    Stream.WriteBoolean(false);
    Stream.WriteString("xyz");
    TObjectStream Reader(0);
    Reader.LoadFromBytes(Written(Stream));
    EXPECT_EQ(Reader.ReadInteger(), INT32_MIN);
    EXPECT_EQ(Reader.ReadLongInt(), 123456789);
    EXPECT_EQ(Reader.ReadSmallInt(), INT16_MIN);
    EXPECT_EQ(Reader.ReadWord(), 65535);
    EXPECT_EQ(Reader.ReadByte(), 200);
    EXPECT_FALSE(Reader.ReadBoolean());
    EXPECT_EQ(Reader.ReadString(), "xyz");
    EXPECT_EQ(Reader.Remaining(), 0);
}

TEST(ObjectStreamEncoding, StringEndsAtFirstNulButConsumesAllBytes) {
    TObjectStream Stream(0);
    Stream.LoadFromBytes(Bytes{5, 0, 0, 0, 'a', 'b', 0, 'c', 'd', 0x2A});
    EXPECT_EQ(Stream.ReadString(), "ab");
    EXPECT_EQ(Stream.Position(), 9);
}

TEST(ObjectStreamEncoding, WritingOverwritesAtThePositionAndGrowsOnlyPastTheEnd) {
    TObjectStream Stream(8);
    EXPECT_EQ(Stream.Size(), 8);
    Stream.WriteInteger(1);
    EXPECT_EQ(Stream.Size(), 8);
    Stream.WriteInteger(2);
    Stream.WriteByte(3);
    EXPECT_EQ(Stream.Size(), 9);
}

TEST(ObjectStreamDamage, EveryReaderStopsAtTheEndOfTheData) {
    TObjectStream Stream(0);
    Stream.LoadFromBytes(Bytes{1, 2, 3});
    EXPECT_THROW(Stream.ReadInteger(), EReadError);
    EXPECT_EQ(Stream.ReadSmallInt(), 0x0201);
    EXPECT_THROW(Stream.ReadWord(), EReadError);
    EXPECT_EQ(Stream.ReadByte(), 3);
    EXPECT_THROW(Stream.ReadBoolean(), EReadError);
}

TEST(ObjectStreamDamage, BadStringLengthsAreRefusedWithoutAllocating) {
    TObjectStream Negative(0);
    Negative.LoadFromBytes(Bytes{0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(Negative.ReadString(), EReadError);

    TObjectStream Huge(0);
    Huge.LoadFromBytes(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 'a'});
    try {
        Huge.ReadString();
        FAIL() << "a string longer than the data was read";
    } catch (const EReadError& Error) {
        EXPECT_EQ(std::string(Error.what()).rfind("Stream-Read-Fehler", 0), 0u) << Error.what();
    }
}

TEST(ObjectStreamDamage, CountsBeyondTheDataAndDeepNestingAreRefused) {
    TObjectStream Count(0);
    Count.LoadFromBytes(Bytes{0xE9, 0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F});
    EXPECT_THROW(Count.ReadObject(), EReadError);

    // A list holding a list holding a list ... far deeper than any real file.
    TObjectStream Deep(0);
    for (int I = 0; I < 10000; ++I) {
        Deep.WriteInteger(TObjectList::ClassCode);
        Deep.WriteInteger(1);
    }
    TObjectStream Reader(0);
    Reader.LoadFromBytes(Written(Deep));
    EXPECT_THROW(Reader.ReadObject(), EReadError);
}

TEST(ObjectStreamDamage, ErrorsNameTheFileTheyCameFrom) {
    test::TempDir Dir;
    const std::string FileName = Dir.File("short.bin");
    std::ofstream(FileName, std::ios::binary) << std::string("\xE8\x03\x00\x00\x09", 5);
    TObjectStream Stream(0);
    Stream.LoadFromFile(FileName);
    try {
        Stream.ReadObject();
        FAIL() << "a truncated string was read";
    } catch (const EReadError& Error) {
        EXPECT_NE(std::string(Error.what()).find(FileName), std::string::npos) << Error.what();
    }
}

TEST(ObjectStreamFiles, SavedFileIsAtLeastTheInitialSize) {
    test::TempDir Dir;
    TObjectStream Small(512);
    for (int I = 0; I < 5; ++I) {
        Small.WriteInteger(I);
    }
    Small.SaveToFile(Dir.File("small"));
    EXPECT_EQ(std::filesystem::file_size(Dir.File("small")), 512u);

    TObjectStream Large(512);
    for (int I = 0; I < 150; ++I) {
        Large.WriteInteger(I);
    }
    Large.SaveToFile(Dir.File("large"));
    EXPECT_EQ(std::filesystem::file_size(Dir.File("large")), 600u);

    TObjectStream Reader(0);
    Reader.LoadFromFile(Dir.File("small"));
    EXPECT_EQ(Reader.Size(), 512);
    Reader.ReadInteger();
    EXPECT_EQ(Reader.ReadInteger(), 1);
}

TEST(ObjectStreamFiles, MissingOrUnwritableFilesRaiseTheirMessages) {
    test::TempDir Dir;
    TObjectStream Stream(16);
    try {
        Stream.LoadFromFile(Dir.File("absent"));
        FAIL();
    } catch (const EFOpenError& Error) {
        EXPECT_EQ(std::string(Error.what()), "Kann Datei " + Dir.File("absent") + " nicht öffnen");
    }
    const std::string NoDirectory = Dir.File("missing/dir/file.tul");
    try {
        Stream.SaveToFile(NoDirectory);
        FAIL();
    } catch (const EFCreateError& Error) {
        EXPECT_EQ(std::string(Error.what()), "Kann Datei " + NoDirectory + " nicht erstellen");
    }
}

TEST(ObjectFraming, ObjectsAreWrittenWithTheirClassCodeInFront) {
    TObjectList List;
    List.Add(TText::CreateWithText("a"));
    List.Add(TText::CreateWithText("bc"));
    EXPECT_EQ(test::WrittenObject(List), (Bytes{0xE9, 3, 0,   0,    2, 0, 0, 0, 0xE8, 3, 0, 0,   1,  0,
                                                0,    0, 'a', 0xE8, 3, 0, 0, 2, 0,    0, 0, 'b', 'c'}));
}

TEST(ObjectFraming, UnknownCodeRaisesClassNotFound) {
    try {
        test::ReadBack(Bytes{0xE7, 3, 0, 0});
        FAIL();
    } catch (const EClassNotFound& Error) {
        EXPECT_STREQ(Error.what(), "Klasse 999 nicht gefunden.");
    }
}

TEST(ObjectFraming, LegacyCode108ReadsAsIdentifierList) {
    auto Object = test::ReadBack(Bytes{108, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0});
    auto* List = dynamic_cast<TIDList*>(Object.get());
    ASSERT_NE(List, nullptr);
    EXPECT_EQ(List->LastID, 4);
}

TEST(ObjectFraming, NeighbouringObjectsOfOtherClassesReadAsTheirOwn) {
    TObjectList List;
    List.Add(TText::CreateWithText("a"));
    List.Add(TID::CreateWithID(7));
    List.Add(TText::CreateWithText("b"));
    auto Read = test::ReadBack<TObjectList>(test::WrittenObject(List));
    ASSERT_EQ(Read->Count(), 3);
    EXPECT_EQ(Read->ItemAs<TText>(0).GetText(), "a");
    EXPECT_EQ(Read->ItemAs<TID>(1).ID, 7);
    EXPECT_EQ(Read->ItemAs<TText>(2).GetText(), "b");
    // An unknown code right after a known one at the same depth.
    EXPECT_THROW(test::ReadBack(Bytes{0xE9, 3, 0, 0, 2, 0, 0, 0, 0xE8, 3, 0, 0, 0, 0, 0, 0, 0xE7, 3, 0, 0}),
                 EClassNotFound);
}

TEST(ObjectFraming, SaveToFileWritesFieldsWithoutClassCode) {
    test::TempDir Dir;
    TText Text;
    Text.SetText("hi");
    Text.SaveToFile(Dir.File("text"));
    const Bytes Content = test::ReadFileBytes(Dir.File("text"));
    ASSERT_EQ(Content.size(), 512u);
    EXPECT_EQ(Bytes(Content.begin(), Content.begin() + 6), (Bytes{2, 0, 0, 0, 'h', 'i'}));
}

TEST(ObjectFraming, LoadObjectFromFileGivesDefaultForMissingFile) {
    test::TempDir Dir;
    const auto& Class = ClassRegistry().GetClassForID(TText::ClassCode);
    auto Object = LoadObjectFromFile(Class, Dir.File("none.bin"));
    ASSERT_NE(dynamic_cast<TText*>(Object.get()), nullptr);
    EXPECT_FALSE(std::filesystem::exists(Dir.File("none.bin")));

    TObjectStream Stream(512);
    Stream.WriteObject(*TText::CreateWithText("stored"));
    Stream.SaveToFile(Dir.File("text.bin"));
    auto Loaded = LoadObjectFromFile(Class, Dir.File("text.bin"));
    EXPECT_EQ(dynamic_cast<TText&>(*Loaded).GetText(), "stored");
}

}  // namespace
}  // namespace tulma
