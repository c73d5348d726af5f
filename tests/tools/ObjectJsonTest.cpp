#include "ObjectJson.h"

#include <gtest/gtest.h>

#include "BitmappedListEntry.h"
#include "FieldKindsSample.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "ID.h"
#include "ListEntry.h"
#include "ObjectStream.h"
#include "SampleHotKeyFile.h"
#include "StreamBytes.h"
#include "Text.h"

namespace tulma {
namespace {

using test::ReadBack;
using test::WrittenObject;

// Object -> JSON text -> parsed JSON -> object: the stored bytes must not change on the way.
void ExpectLosslessRoundTrip(TStreamableObject& Object) {
    const std::vector<uint8_t> Before = WrittenObject(Object);
    const TJson Parsed = TJson::parse(ToJson(Object).dump(2));
    EXPECT_EQ(WrittenObject(*FromJson(Parsed)), Before) << Parsed.dump(2);
}

TEST(ObjectJsonTest, HotKeyFileBecomesNestedJsonWithFieldsInStreamOrder) {
    const auto File = test::MakeEditorHotKeyFile();
    // Objects of an ordered_json compare member by member in order, so this also checks the order.
    EXPECT_EQ(ToJson(*File), test::EditorHotKeyFileJson());
}

TEST(ObjectJsonTest, HotKeyFileBuiltFromJsonHasTheStoredLayout) {
    const auto Built = FromJson(test::EditorHotKeyFileJson());
    ASSERT_NE(dynamic_cast<THotKeyFile*>(Built.get()), nullptr);
    EXPECT_EQ(WrittenObject(*Built), test::EditorHotKeyFileBytes());
}

TEST(ObjectJsonTest, DumpOfReadFileRebuildsTheSameBytes) {
    const auto Read = ReadBack(test::EditorHotKeyFileBytes());
    const TJson Parsed = TJson::parse(ToJson(*Read).dump());
    EXPECT_EQ(WrittenObject(*FromJson(Parsed)), test::EditorHotKeyFileBytes());
}

TEST(ObjectJsonTest, ListsKeepStoredOrderIdentifiersAndLastID) {
    auto File = std::make_unique<THotKeyFile>();
    for (const int32_t ID : {7, 2, 5}) {
        auto HotKey = std::make_unique<THotTulma>();
        HotKey->ID = ID;
        HotKey->Name = "Key " + std::to_string(ID);
        File->HotKeyList().AppendAsStored(std::move(HotKey));
    }
    File->HotKeyList().LastID = 41;
    File->MinimizeAtStartup = true;

    const auto Built = FromJson(ToJson(*File));
    auto& List = dynamic_cast<THotKeyFile&>(*Built).HotKeyList();
    ASSERT_EQ(List.Count(), 3);
    EXPECT_EQ(List.ItemAs<THotTulma>(0).ID, 7);
    EXPECT_EQ(List.ItemAs<THotTulma>(1).ID, 2);
    EXPECT_EQ(List.ItemAs<THotTulma>(2).ID, 5);
    EXPECT_EQ(List.LastID, 41);
    ExpectLosslessRoundTrip(*File);
}

TEST(ObjectJsonTest, StringsThatAreNotUtf8BecomeHexBytesAndComeBackUnchanged) {
    auto Command = std::make_unique<THotKeyCommand>();
    Command->Name = "\xE4\xF6\xFC";  // äöü in Windows-1252
    Command->Exec =
        "Gr\xC3\xBC\xC3\x9F"
        "e";                                        // Grüße in UTF-8
    Command->Parameters = "\xC0\xAF";               // an overlong '/'
    Command->Directory = "\xED\xA0\x80";            // a UTF-16 surrogate
    Command->LookForWindow = "ok\xF4\x90\x80\x80";  // above U+10FFFF

    const TJson Dumped = ToJson(*Command);
    EXPECT_EQ(Dumped["Name"], TJson({{"bytes", "E4F6FC"}}));
    EXPECT_EQ(Dumped["Exec"],
              "Gr\xC3\xBC\xC3\x9F"
              "e");
    EXPECT_EQ(Dumped["Parameters"], TJson({{"bytes", "C0AF"}}));
    EXPECT_EQ(Dumped["Directory"], TJson({{"bytes", "EDA080"}}));
    EXPECT_EQ(Dumped["LookForWindow"], TJson({{"bytes", "6F6BF4908080"}}));
    ExpectLosslessRoundTrip(*Command);
}

TEST(ObjectJsonTest, BytesFormIsAcceptedForAnyStringInEitherCase) {
    TJson Source = ToJson(*std::make_unique<TSimpleListEntry>());
    Source["Name"] = {{"bytes", "e4f6Fc41"}};
    const auto Built = FromJson(Source);
    EXPECT_EQ(dynamic_cast<TSimpleListEntry&>(*Built).Name,
              "\xE4\xF6\xFC"
              "A");
}

TEST(ObjectJsonTest, EveryFieldKindRoundTripsAtTheEndsOfItsRange) {
    TFieldKindsSample Low;
    Low.IntegerValue = INT32_MIN;
    Low.SmallIntValue = INT16_MIN;
    Low.ShortIntValue = INT8_MIN;
    Low.Label().SetText("low");
    ExpectLosslessRoundTrip(Low);

    TFieldKindsSample High;
    High.IntegerValue = INT32_MAX;
    High.SmallIntValue = INT16_MAX;
    High.WordValue = UINT16_MAX;
    High.ByteValue = UINT8_MAX;
    High.ShortIntValue = INT8_MAX;
    High.BooleanValue = true;
    High.StringValue = "\x01\xFF";
    ExpectLosslessRoundTrip(High);
}

TEST(ObjectJsonTest, ListsOfMixedRegisteredClassesRoundTrip) {
    TObjectList List;
    auto Identified = std::make_unique<TDID>();
    Identified->ID = 3;
    Identified->SecondID = -9;
    List.Add(std::move(Identified));
    auto Entry = std::make_unique<TBitmappedListEntry>();
    Entry->Name = "Bild";
    Entry->BitmapName = "folder";
    List.Add(std::move(Entry));
    List.Add(TText::CreateWithText("Text"));
    List.Add(std::make_unique<TObjectList>());
    List.Add(test::MakeEditorHotKeyFile());

    const TJson Dumped = ToJson(List);
    EXPECT_EQ(Dumped["Items"][0], TJson::parse(R"({"class": "TDID", "ID": 3, "SecondID": -9})"));
    EXPECT_EQ(Dumped["Items"][2], TJson::parse(R"({"class": "TText", "Text": "Text"})"));
    EXPECT_EQ(Dumped["Items"][3], TJson::parse(R"({"class": "TObjectList", "Items": []})"));
    ExpectLosslessRoundTrip(List);
}

}  // namespace
}  // namespace tulma
