#include "ObjectFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "ObjectJson.h"
#include "SampleHotKeyFile.h"
#include "TempDir.h"
#include "TestFiles.h"
#include "Text.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

using testing::HasSubstr;

std::string ErrorReading(const std::string& FileName) {
    try {
        ReadObjectFile(FileName);
    } catch (const EFileError& Error) {
        return Error.what();
    }
    return "no error";
}

class ObjectFileTest : public testing::Test {
  protected:
    test::TempDir Directory;
};

TEST_F(ObjectFileTest, HotKeyFileIsWrittenWithItsFillerAndReadBackIgnoringIt) {
    const std::string Name = Directory.File("keys.tul");
    WriteObjectFile(*test::MakeEditorHotKeyFile(), Name);

    const std::vector<uint8_t> Bytes = test::ReadFileBytes(Name);
    const std::vector<uint8_t> Data = test::EditorHotKeyFileBytes();
    ASSERT_EQ(Bytes.size(), 16384u);
    EXPECT_TRUE(std::equal(Data.begin(), Data.end(), Bytes.begin()));
    EXPECT_EQ(ToJson(*ReadObjectFile(Name).Object), test::EditorHotKeyFileJson());
}

TEST_F(ObjectFileTest, FileInAnOlderLayoutIsReadButMarkedAsNotStoringBackUnchanged) {
    const std::string Current = Directory.File("current.tul");
    const std::string Older = Directory.File("older.tul");
    test::WriteFileBytes(Current, test::EditorHotKeyFileBytes());
    test::WriteFileBytes(Older, test::EditorHotKeyFileBytesInLayout100());

    EXPECT_TRUE(ReadObjectFile(Current).StoresBackUnchanged);
    const TObjectFileContent Content = ReadObjectFile(Older);
    EXPECT_FALSE(Content.StoresBackUnchanged);
    EXPECT_EQ(ToJson(*Content.Object), test::EditorHotKeyFileJson());
}

TEST_F(ObjectFileTest, OtherClassesGetTheGeneralSizeAndLongerDataItsOwnLength) {
    WriteObjectFile(*TText::CreateWithText("short"), Directory.File("short.bin"));
    EXPECT_EQ(test::ReadFileBytes(Directory.File("short.bin")).size(), 512u);
    WriteObjectFile(*TText::CreateWithText(std::string(600, 'x')), Directory.File("long.bin"));
    EXPECT_EQ(test::ReadFileBytes(Directory.File("long.bin")).size(), 4u + 4u + 600u);
}

TEST_F(ObjectFileTest, TruncatedFileIsReportedWithItsNameAndOffset) {
    const std::string Name = Directory.File("cut.tul");
    std::vector<uint8_t> Bytes = test::EditorHotKeyFileBytes();
    Bytes.resize(60);
    test::WriteFileBytes(Name, Bytes);
    const std::string Message = ErrorReading(Name);
    EXPECT_THAT(Message, testing::StartsWith(Name + ": Stream-Read-Fehler"));
    EXPECT_THAT(Message, HasSubstr("a value of 4 bytes at byte 57 runs past the end of the data (60 bytes)"));
}

TEST_F(ObjectFileTest, UnknownClassCodeIsReportedWithItsOffset) {
    const std::string Name = Directory.File("foreign.tul");
    std::vector<uint8_t> Bytes = test::EditorHotKeyFileBytes();
    // The command's class code 201 becomes 999.
    Bytes[49] = 0xE7;
    Bytes[50] = 0x03;
    test::WriteFileBytes(Name, Bytes);
    EXPECT_EQ(ErrorReading(Name), Name + ": Klasse 999 nicht gefunden. (class code at byte 49)");
}

TEST_F(ObjectFileTest, EmptyMissingAndFolderAreReported) {
    test::WriteFileBytes(Directory.File("empty.tul"), {});
    EXPECT_THAT(ErrorReading(Directory.File("empty.tul")), HasSubstr("Stream-Read-Fehler"));
    EXPECT_EQ(ErrorReading(Directory.File("none.tul")),
              Directory.File("none.tul") + ": No such file or directory");
    EXPECT_EQ(ErrorReading(Directory.Path().string()), Directory.Path().string() + ": is a folder");
}

TEST_F(ObjectFileTest, DataTheProgramCouldNotLoadIsNotWrittenAndTheOldFileStays) {
    const std::string Name = Directory.File("keys.tul");
    test::WriteFileBytes(Name, {1, 2, 3});
    // A hotkey where a command belongs: the hotkey file's reader refuses such a list.
    auto File = test::MakeEditorHotKeyFile();
    File->HotKeyAt(0).Commands().AppendAsStored(std::make_unique<THotTulma>());
    try {
        WriteObjectFile(*File, Name);
        FAIL() << "written";
    } catch (const EFileError& Error) {
        EXPECT_THAT(Error.what(), HasSubstr(Name + ": not written: the data would not read back"));
        EXPECT_THAT(Error.what(), HasSubstr("is not a THotKeyCommand"));
    }
    EXPECT_EQ(test::ReadFileBytes(Name), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(test::FileNamesIn(Directory.Path()), std::vector<std::string>{"keys.tul"});
}

TEST_F(ObjectFileTest, UnwritableTargetRaisesAndLeavesNoFile) {
    const std::string Name = Directory.File("missing-folder/keys.tul");
    EXPECT_THROW(WriteObjectFile(*test::MakeEditorHotKeyFile(), Name), std::runtime_error);
    EXPECT_TRUE(test::FileNamesIn(Directory.Path()).empty());
}

}  // namespace
}  // namespace tulma
