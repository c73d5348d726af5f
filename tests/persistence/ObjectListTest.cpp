#include <gtest/gtest.h>

#include "ID.h"
#include "ObjectList.h"
#include "SortedObjectList.h"
#include "StreamBytes.h"
#include "Text.h"

namespace tulma {
namespace {

using test::Bytes;

std::unique_ptr<TText> Text(const char* Value) {
    return TText::CreateWithText(Value);
}

std::vector<std::string> Texts(const TObjectList& List) {
    std::vector<std::string> Result;
    for (int32_t I = 0; I < List.Count(); ++I) {
        Result.push_back(List.ItemAs<TText>(I).GetText());
    }
    return Result;
}

TEST(ObjectList, EmptyAndNegativeCountsReadAsEmpty) {
    TObjectList Empty;
    EXPECT_EQ(test::WrittenObject(Empty), (Bytes{0xE9, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test::ReadBack<TObjectList>(Bytes{0xE9, 3, 0, 0, 0xFB, 0xFF, 0xFF, 0xFF})->Count(), 0);
}

TEST(ObjectList, IndexErrorsLeaveTheListAlone) {
    TObjectList List;
    List.Add(Text("a"));
    EXPECT_THROW(List.At(1), EListError);
    EXPECT_THROW(List.At(-1), EListError);
    EXPECT_THROW(List.AtDelete(1), EListError);
    EXPECT_THROW(List.AtInsert(2, Text("x")), EListError);
    TText Stranger;
    EXPECT_THROW(List.Remove(&Stranger), EListError);
    EXPECT_EQ(Texts(List), std::vector<std::string>{"a"});
}

TEST(ObjectList, TakingItemsOutHandsThemBack) {
    TObjectList List;
    List.Add(Text("a"));
    List.Add(Text("b"));
    List.Add(Text("c"));
    TStreamableObject* Middle = List.At(1);
    auto Removed = List.Remove(Middle);
    EXPECT_EQ(Removed.get(), Middle);
    auto First = List.AtDelete(0);
    EXPECT_EQ(dynamic_cast<TText&>(*First).GetText(), "a");
    auto Rest = List.Clear();
    EXPECT_EQ(List.Count(), 0);
    ASSERT_EQ(Rest.size(), 1u);
    EXPECT_EQ(List.Cursor(), -1);
}

TEST(ObjectList, CursorFollowsItsItem) {
    TObjectList List;
    for (const char* Value : {"a", "b", "c", "d", "e", "f"}) {
        List.Add(Text(Value));
    }
    List.SetCursor(3);
    List.AtDelete(1);
    EXPECT_EQ(List.Cursor(), 2);
    List.AtInsert(2, Text("x"));
    EXPECT_EQ(List.Cursor(), 3);
    List.AtInsert(3, Text("y"));
    EXPECT_EQ(List.Cursor(), 4);
    List.AtDelete(5);
    EXPECT_EQ(List.Cursor(), 4);
    EXPECT_EQ(dynamic_cast<TText*>(List.Previous())->GetText(), "y");
    List.SetCursor(0);
    EXPECT_EQ(List.Previous(), nullptr);
}

TEST(ObjectList, CopyToReplacesTheDestinationsItemsWithDeepCopies) {
    TObjectList Source;
    Source.Add(Text("one"));
    TObjectList Dest;
    Dest.Add(Text("old1"));
    Dest.Add(Text("old2"));
    Source.CopyTo(Dest);
    EXPECT_EQ(Texts(Dest), std::vector<std::string>{"one"});
    EXPECT_NE(Dest.At(0), Source.At(0));
    TText NotAList;
    EXPECT_THROW(Source.CopyTo(NotAList), EInvalidCast);
}

TEST(SortedObjectList, EqualItemsComeInReverseOrderOfAddition) {
    TSortedObjectList List;
    auto First = Text("same");
    auto Second = Text("SAME");
    auto Third = Text("Same");
    TStreamableObject* LastAdded = Third.get();
    List.Add(Text("zz"));
    List.Add(std::move(First));
    List.Add(std::move(Second));
    List.Add(std::move(Third));
    List.Add(Text("aa"));
    EXPECT_EQ(Texts(List), (std::vector<std::string>{"aa", "Same", "SAME", "same", "zz"}));
    int32_t Position = -1;
    EXPECT_TRUE(List.Search(*Text("same"), Position));
    EXPECT_EQ(Position, 1);
    EXPECT_EQ(List.At(Position), LastAdded);
}

TEST(SortedObjectList, SearchReportsInsertionPointsAtBothEnds) {
    TSortedObjectList List;
    List.Add(Text("b"));
    List.Add(Text("d"));
    int32_t Position = -1;
    EXPECT_FALSE(List.Search(*Text("a"), Position));
    EXPECT_EQ(Position, 0);
    EXPECT_FALSE(List.Search(*Text("c"), Position));
    EXPECT_EQ(Position, 1);
    EXPECT_FALSE(List.Search(*Text("e"), Position));
    EXPECT_EQ(Position, 2);
}

TEST(SortedObjectList, AtInsertKeepsTheOrderAndForeignItemsAreRefused) {
    TSortedObjectList List;
    List.Add(Text("a"));
    List.Add(Text("c"));
    List.AtInsert(0, Text("b"));
    EXPECT_EQ(Texts(List), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_THROW(List.Add(std::make_unique<TObjectList>()), EInvalidCast);
}

TEST(SortedObjectList, StoredOrderIsKeptWhenRead) {
    TObjectList Unsorted;
    Unsorted.Add(Text("z"));
    Unsorted.Add(Text("a"));
    auto Read = test::ReadBack<TObjectList>(test::WrittenObject(Unsorted));
    EXPECT_EQ(Texts(*Read), (std::vector<std::string>{"z", "a"}));
}

}  // namespace
}  // namespace tulma
