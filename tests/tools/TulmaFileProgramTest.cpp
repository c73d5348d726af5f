#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "SampleHotKeyFile.h"
#include "TempDir.h"
#include "TestFiles.h"

namespace tulma {
namespace {

using testing::HasSubstr;

std::string Quoted(const std::string& Text) {
    return "'" + Text + "'";
}

std::string ReadText(const std::string& FileName) {
    std::ostringstream Text;
    Text << std::ifstream(FileName).rdbuf();
    return Text.str();
}

// Runs the real program on files of one directory, capturing its output.
class TulmaFileProgramTest : public testing::Test {
  protected:
    int Run(const std::string& Arguments) {
        const std::string Command = Quoted(TULMAFILE_PROGRAM) + " " + Arguments + " >" +
                                    Quoted(Directory.File("out.txt")) + " 2>" +
                                    Quoted(Directory.File("err.txt"));
        const int Status = std::system(Command.c_str());
        Out = ReadText(Directory.File("out.txt"));
        Err = ReadText(Directory.File("err.txt"));
        std::filesystem::remove(Directory.File("out.txt"));
        std::filesystem::remove(Directory.File("err.txt"));
        return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    }

    std::string File(const std::string& Name) const { return Quoted(Directory.File(Name)); }

    test::TempDir Directory;
    std::string Out;
    std::string Err;
};

TEST_F(TulmaFileProgramTest, DumpAndBuildReproduceTheFileByteForByte) {
    std::vector<uint8_t> Original = test::EditorHotKeyFileBytes();
    Original.resize(16384, 0xAA);  // filler of any value is not data
    test::WriteFileBytes(Directory.File("keys.tul"), Original);

    ASSERT_EQ(Run("dump " + File("keys.tul")), 0) << Err;
    EXPECT_EQ(tulma::TJson::parse(Out), test::EditorHotKeyFileJson());
    EXPECT_EQ(Err, "");
    test::WriteTextFile(Directory.File("keys.json"), Out);

    ASSERT_EQ(Run("build " + File("keys.json") + " " + File("copy.tul")), 0) << Err;
    std::vector<uint8_t> Expected = test::EditorHotKeyFileBytes();
    Expected.resize(16384, 0);
    EXPECT_EQ(test::ReadFileBytes(Directory.File("copy.tul")), Expected);
}

TEST_F(TulmaFileProgramTest, DumpOfAnOlderLayoutWarnsButSucceeds) {
    test::WriteFileBytes(Directory.File("old.tul"), test::EditorHotKeyFileBytesInLayout100());
    ASSERT_EQ(Run("dump " + File("old.tul")), 0) << Err;
    EXPECT_EQ(tulma::TJson::parse(Out), test::EditorHotKeyFileJson());
    EXPECT_THAT(Err, HasSubstr(Directory.File("old.tul") + ": warning: not in the current stored form"));
}

TEST_F(TulmaFileProgramTest, BuildReadsStandardInput) {
    test::WriteTextFile(Directory.File("text.json"), R"({"class": "TText", "Text": {"bytes": "E4F6FC"}})");
    ASSERT_EQ(Run("build - " + File("text.tul") + " <" + File("text.json")), 0) << Err;
    const std::vector<uint8_t> Bytes = test::ReadFileBytes(Directory.File("text.tul"));
    ASSERT_EQ(Bytes.size(), 512u);
    EXPECT_EQ(std::vector<uint8_t>(Bytes.begin(), Bytes.begin() + 11),
              (std::vector<uint8_t>{0xE8, 0x03, 0, 0, 3, 0, 0, 0, 0xE4, 0xF6, 0xFC}));
}

TEST_F(TulmaFileProgramTest, BuildErrorExitsWithOneAndWritesNothing) {
    tulma::TJson Document = test::EditorHotKeyFileJson();
    Document["HotKeyList"]["Items"][0]["Commands"]["Items"][0]["ExecMode"] = "normal";
    test::WriteTextFile(Directory.File("bad.json"), Document.dump());

    EXPECT_EQ(Run("build " + File("bad.json") + " " + File("new.tul")), 1);
    EXPECT_THAT(Err,
                HasSubstr(Directory.File("bad.json") + ": $.HotKeyList.Items[0].Commands.Items[0].ExecMode"));
    EXPECT_EQ(test::FileNamesIn(Directory.Path()), std::vector<std::string>{"bad.json"});

    test::WriteFileBytes(Directory.File("old.tul"), {9, 9, 9});
    EXPECT_EQ(Run("build " + File("bad.json") + " " + File("old.tul")), 1);
    EXPECT_EQ(test::ReadFileBytes(Directory.File("old.tul")), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_EQ(test::FileNamesIn(Directory.Path()), (std::vector<std::string>{"bad.json", "old.tul"}));
}

TEST_F(TulmaFileProgramTest, DumpOfTruncatedFileExitsWithOneNamingTheFile) {
    std::vector<uint8_t> Bytes = test::EditorHotKeyFileBytes();
    Bytes.resize(100);
    test::WriteFileBytes(Directory.File("cut.tul"), Bytes);
    EXPECT_EQ(Run("dump " + File("cut.tul")), 1);
    EXPECT_THAT(Err, HasSubstr(Directory.File("cut.tul") + ": Stream-Read-Fehler"));
    EXPECT_EQ(Out, "");
}

TEST_F(TulmaFileProgramTest, WrongUsageExitsWithTwo) {
    EXPECT_EQ(Run(""), 2);
    EXPECT_THAT(Err, HasSubstr("Usage: tulmafile dump FILE"));
    EXPECT_EQ(Run("dump"), 2);
    EXPECT_EQ(Run("build " + File("only.json")), 2);
    EXPECT_EQ(Run("convert a b"), 2);
}

TEST_F(TulmaFileProgramTest, HelpDescribesTheStringEscape) {
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_THAT(Out, HasSubstr("{\"bytes\": \"<hex>\"}"));
}

}  // namespace
}  // namespace tulma
