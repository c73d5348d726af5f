#include <gtest/gtest.h>

#include <functional>

#include "ObjectJson.h"
#include "SampleHotKeyFile.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

struct TBadJsonCase {
    const char* Title;
    // The valid document that Spoil damages.
    TJson (*Base)();
    std::function<void(TJson&)> Spoil;
    std::string Path;
    const char* Problem;
};

TJson& FirstCommand(TJson& File) {
    return File["HotKeyList"]["Items"][0]["Commands"]["Items"][0];
}
TJson& FirstHotKey(TJson& File) {
    return File["HotKeyList"]["Items"][0];
}

TJson FieldKindsSample() {
    return TJson::parse(R"({"class": "TFieldKindsSample", "Items": [], "IntegerValue": 0, "SmallIntValue": 0,
        "WordValue": 0, "ByteValue": 0, "ShortIntValue": 0, "BooleanValue": false, "StringValue": "",
        "Label": {"class": "TText", "Text": ""}})");
}

// Objects nested Levels deep: lists within lists.
TJson NestedLists(int Levels) {
    TJson Inner = {{"class", "TObjectList"}, {"Items", TJson::array()}};
    for (int I = 1; I < Levels; ++I) {
        Inner = {{"class", "TObjectList"}, {"Items", TJson::array({Inner})}};
    }
    return Inner;
}

std::string ItemsPath(int Levels) {
    std::string Path = "$";
    for (int I = 1; I < Levels; ++I) {
        Path += ".Items[0]";
    }
    return Path;
}

class FromJsonErrorTest : public testing::TestWithParam<TBadJsonCase> {};

TEST_P(FromJsonErrorTest, NamesThePathAndTheFault) {
    const TBadJsonCase& Case = GetParam();
    TJson Document = Case.Base();
    Case.Spoil(Document);
    try {
        FromJson(Document);
        FAIL() << "no error for " << Document.dump();
    } catch (const EJsonError& Error) {
        EXPECT_EQ(Error.Path(), Case.Path);
        EXPECT_NE(std::string(Error.what()).find(Case.Problem), std::string::npos) << Error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FromJsonErrorTest,
    testing::Values(
        TBadJsonCase{
            "UnknownField", test::EditorHotKeyFileJson, [](TJson& F) { FirstCommand(F)["ExecMod"] = 1; },
            "$.HotKeyList.Items[0].Commands.Items[0].ExecMod", "a THotKeyCommand has no field of this name"},
        TBadJsonCase{"MissingField", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstCommand(F).erase("ExecMode"); },
                     "$.HotKeyList.Items[0].Commands.Items[0].ExecMode", "missing"},
        TBadJsonCase{"MissingItems", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["Commands"].erase("Items"); },
                     "$.HotKeyList.Items[0].Commands.Items", "missing"},
        TBadJsonCase{"StringForInteger", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstCommand(F)["ExecMode"] = "0"; },
                     "$.HotKeyList.Items[0].Commands.Items[0].ExecMode", "expected an integer"},
        TBadJsonCase{"FractionForInteger", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstCommand(F)["ID"] = 1.5; },
                     "$.HotKeyList.Items[0].Commands.Items[0].ID", "found 1.5"},
        TBadJsonCase{"IntegerForBoolean", test::EditorHotKeyFileJson,
                     [](TJson& F) { F["MinimizeAtStartup"] = 1; }, "$.MinimizeAtStartup",
                     "expected true or false"},
        TBadJsonCase{"NumberForString", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["Name"] = 5; }, "$.HotKeyList.Items[0].Name",
                     "expected a string or {\"bytes\""},
        TBadJsonCase{"NulInString", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["Name"] = std::string("a\0b", 3); },
                     "$.HotKeyList.Items[0].Name", "byte 1 is NUL"},
        TBadJsonCase{"NulInBytes", test::EditorHotKeyFileJson,
                     [](TJson& F) {
                         FirstHotKey(F)["Name"] = {{"bytes", "4100"}};
                     },
                     "$.HotKeyList.Items[0].Name", "byte 1 is NUL"},
        TBadJsonCase{"OddHex", test::EditorHotKeyFileJson,
                     [](TJson& F) {
                         FirstHotKey(F)["Name"] = {{"bytes", "E4F"}};
                     },
                     "$.HotKeyList.Items[0].Name.bytes", "odd number of hex digits"},
        TBadJsonCase{"NotHex", test::EditorHotKeyFileJson,
                     [](TJson& F) {
                         FirstHotKey(F)["Name"] = {{"bytes", "E4G6"}};
                     },
                     "$.HotKeyList.Items[0].Name.bytes", "\"G6\" at index 2 is not a pair of hex digits"},
        TBadJsonCase{"BytesWithExtraMember", test::EditorHotKeyFileJson,
                     [](TJson& F) {
                         FirstHotKey(F)["Name"] = {{"bytes", "41"}, {"text", "A"}};
                     },
                     "$.HotKeyList.Items[0].Name", "found an object"},
        TBadJsonCase{"HotKeyAboveWord", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["HotKey"] = 65536; }, "$.HotKeyList.Items[0].HotKey",
                     "65536 is out of range (Word, 0..65535)"},
        TBadJsonCase{"NegativeHotKey", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["HotKey"] = -1; }, "$.HotKeyList.Items[0].HotKey",
                     "-1 is out of range (Word, 0..65535)"},
        TBadJsonCase{"IDAboveInteger", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["ID"] = 2147483648LL; }, "$.HotKeyList.Items[0].ID",
                     "out of range (Integer, -2147483648..2147483647)"},
        TBadJsonCase{"HugeUnsigned", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstHotKey(F)["ID"] = UINT64_MAX; }, "$.HotKeyList.Items[0].ID",
                     "out of range"},
        TBadJsonCase{"UnknownClass", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstCommand(F)["class"] = "TCommand"; },
                     "$.HotKeyList.Items[0].Commands.Items[0].class", "no class named \"TCommand\""},
        TBadJsonCase{"MissingClass", test::EditorHotKeyFileJson,
                     [](TJson& F) { FirstCommand(F).erase("class"); },
                     "$.HotKeyList.Items[0].Commands.Items[0].class", "missing"},
        TBadJsonCase{"ClassNotAString", test::EditorHotKeyFileJson, [](TJson& F) { F["class"] = 156; },
                     "$.class", "expected a class name"},
        TBadJsonCase{"OwnedObjectOfOtherClass", test::EditorHotKeyFileJson,
                     [](TJson& F) { F["HotKeyList"]["class"] = "TObjectList"; }, "$.HotKeyList.class",
                     "this field holds a TIDList, not a TObjectList"},
        TBadJsonCase{"ItemNotAnObject", test::EditorHotKeyFileJson,
                     [](TJson& F) { F["HotKeyList"]["Items"].push_back(3); }, "$.HotKeyList.Items[1]",
                     "expected an object, found 3"},
        TBadJsonCase{"ItemsNotAnArray", test::EditorHotKeyFileJson,
                     [](TJson& F) { F["HotKeyList"]["Items"] = TJson::object(); }, "$.HotKeyList.Items",
                     "expected an array"},
        TBadJsonCase{"DocumentNotAnObject", test::EditorHotKeyFileJson, [](TJson& F) { F = TJson::array(); },
                     "$", "expected an object"},
        TBadJsonCase{"OddMemberName", test::EditorHotKeyFileJson, [](TJson& F) { F["two words"] = true; },
                     "$[\"two words\"]", "a THotKeyFile has no field of this name"},
        TBadJsonCase{"NestedTooDeep", test::EditorHotKeyFileJson, [](TJson& F) { F = NestedLists(65); },
                     ItemsPath(65), "nested deeper than 64 levels"},
        TBadJsonCase{"ShortIntAbove", FieldKindsSample, [](TJson& F) { F["ShortIntValue"] = 128; },
                     "$.ShortIntValue", "128 is out of range (ShortInt, -128..127)"},
        TBadJsonCase{"ShortIntBelow", FieldKindsSample, [](TJson& F) { F["ShortIntValue"] = -129; },
                     "$.ShortIntValue", "-129 is out of range (ShortInt, -128..127)"},
        TBadJsonCase{"SmallIntAbove", FieldKindsSample, [](TJson& F) { F["SmallIntValue"] = 32768; },
                     "$.SmallIntValue", "(SmallInt, -32768..32767)"},
        TBadJsonCase{"ByteBelow", FieldKindsSample, [](TJson& F) { F["ByteValue"] = -1; }, "$.ByteValue",
                     "(Byte, 0..255)"},
        TBadJsonCase{"OwnedTextOfOtherClass", FieldKindsSample,
                     [](TJson& F) {
                         F["Label"] = {{"class", "TID"}, {"ID", 1}};
                     },
                     "$.Label.class", "this field holds a TText, not a TID"}),
    [](const testing::TestParamInfo<TBadJsonCase>& Info) { return std::string(Info.param.Title); });

TEST(FromJsonDepthTest, SixtyFourLevelsAreStillBuilt) {
    EXPECT_NO_THROW(FromJson(NestedLists(64)));
}

}  // namespace
}  // namespace tulma
