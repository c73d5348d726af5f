#include "InputFiles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TempDir.h"
#include "TestFiles.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

using testing::HasSubstr;

std::string ErrorReading(const std::string& FileName) {
    try {
        ReadJsonFile(FileName);
    } catch (const EFileError& Error) {
        return Error.what();
    }
    return "no error";
}

TEST(JsonFileTest, KeepsMemberOrder) {
    test::TempDir Directory;
    test::WriteTextFile(Directory.File("a.json"), R"({"z": 1, "a": {"y": [true], "b": "x"}})");
    EXPECT_EQ(ReadJsonFile(Directory.File("a.json")).dump(), R"({"z":1,"a":{"y":[true],"b":"x"}})");
}

TEST(JsonFileTest, SyntaxErrorNamesFileLineAndColumn) {
    test::TempDir Directory;
    const std::string Name = Directory.File("broken.json");
    test::WriteTextFile(Name, "{\n  \"class\": \"TText\",\n  \"Text\" \"x\"\n}");
    const std::string Message = ErrorReading(Name);
    EXPECT_THAT(Message, HasSubstr(Name + ": parse error at line 3, column"));
    EXPECT_THAT(Message, testing::Not(HasSubstr("json.exception")));
}

TEST(JsonFileTest, MemberNamedTwiceIsRefusedWithItsPath) {
    test::TempDir Directory;
    const std::string Name = Directory.File("twice.json");
    test::WriteTextFile(Name, R"({"a": [1, {"b": 1}, {"c": [], "d": {}, "c": 2}], "e": 0})");
    EXPECT_EQ(ErrorReading(Name), Name + ": $.a[2].c: this member appears twice in one object");
}

TEST(JsonFileTest, SameNameInDifferentObjectsIsFine) {
    test::TempDir Directory;
    test::WriteTextFile(Directory.File("ok.json"), R"({"a": {"a": 1}, "b": [{"a": 1}, {"a": 2}]})");
    EXPECT_NO_THROW(ReadJsonFile(Directory.File("ok.json")));
}

TEST(JsonFileTest, MissingFileAndFolderAreNamed) {
    test::TempDir Directory;
    const std::string Name = Directory.File("none.json");
    EXPECT_EQ(ErrorReading(Name), Name + ": No such file or directory");
    EXPECT_EQ(ErrorReading(Directory.Path().string()), Directory.Path().string() + ": is a folder");
}

}  // namespace
}  // namespace tulma
