#include <gtest/gtest.h>

#include "ID.h"
#include "IDList.h"
#include "StreamBytes.h"

namespace tulma {
namespace {

using test::Bytes;

std::unique_ptr<TID> NewID() {
    return std::make_unique<TID>();
}

std::unique_ptr<TDID> DoubleID(int32_t ID, int32_t SecondID) {
    auto Item = std::make_unique<TDID>();
    Item->ID = ID;
    Item->SecondID = SecondID;
    return Item;
}

TEST(IDList, HandsOutIdentifiersThatAreNeverReused) {
    TIDList List;
    for (int I = 0; I < 3; ++I) {
        List.Add(NewID());
    }
    EXPECT_EQ(List.LastID, 2);
    List.FreeByID(1);
    EXPECT_FALSE(List.HasID(1));
    List.Add(NewID());
    EXPECT_EQ(List.ItemAs<TID>(List.Count() - 1).ID, 3);
    List.FreeAll();
    EXPECT_EQ(List.LastID, -1);
    List.Add(NewID());
    EXPECT_EQ(List.ItemAs<TID>(0).ID, 0);
}

TEST(IDList, StoresItemsThenLastID) {
    TIDList Empty;
    EXPECT_EQ(test::WrittenObject(Empty), (Bytes{0xEB, 3, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    TIDList List;
    for (int I = 0; I < 3; ++I) {
        List.Add(NewID());
    }
    EXPECT_EQ(test::WrittenObject(List),
              (Bytes{0xEB, 3, 0, 0, 3, 0, 0,    0, 0xEA, 3, 0, 0, 0, 0, 0, 0, 0xEA, 3,
                     0,    0, 1, 0, 0, 0, 0xEA, 3, 0,    0, 2, 0, 0, 0, 2, 0, 0,    0}));
}

TEST(IDList, ReadingKeepsStoredOrderAndLastID) {
    auto Read = test::ReadBack<TIDList>(
        Bytes{0xEB, 3, 0, 0, 2, 0, 0, 0, 0xEA, 3, 0, 0, 9, 0, 0, 0, 0xEA, 3, 0, 0, 4, 0, 0, 0, 1, 0, 0, 0});
    ASSERT_EQ(Read->Count(), 2);
    EXPECT_EQ(Read->ItemAs<TID>(0).ID, 9);
    EXPECT_EQ(Read->LastID, 1) << "taken as stored, not recomputed";
}

TEST(IDList, ItemsWithIdentifiersKeepThemAndCanCollide) {
    TIDList List;
    for (int I = 0; I < 3; ++I) {
        List.Add(NewID());
    }
    auto Seven = NewID();
    Seven->ID = 7;
    List.Add(std::move(Seven));
    EXPECT_EQ(List.LastID, 2);
    for (int I = 0; I < 5; ++I) {
        List.Add(NewID());
    }
    EXPECT_EQ(List.LastID, 7);
    EXPECT_EQ(List.ItemAs<TID>(List.IndexOfID(7)).ID, 7);
    EXPECT_EQ(List.ItemAs<TID>(List.IndexOfID(7) + 1).ID, 7) << "two items share 7";
}

TEST(IDList, DoubleIdentifiersSortBySecondNumber) {
    TIDList List;
    List.Add(DoubleID(1, 5));
    List.Add(DoubleID(1, 2));
    List.Add(DoubleID(0, 9));
    EXPECT_EQ(List.ItemAs<TDID>(1).SecondID, 2);
    EXPECT_EQ(List.ItemAs<TDID>(2).SecondID, 5);
    EXPECT_EQ(List.IndexOfID(1), 1);
    EXPECT_EQ(List.IndexOfID(4), -1);
    EXPECT_EQ(List.GetByID(4), nullptr);
    List.FreeByID(4);
    EXPECT_EQ(List.Count(), 3);
    auto Read = test::RoundTrip(*DoubleID(3, 4));
    EXPECT_EQ(Read->ID, 3);
    EXPECT_EQ(Read->SecondID, 4);
}

TEST(IDList, CopyTakesOverLastIDAndRefusesStrangers) {
    TIDList Source;
    Source.LastID = 9;
    TIDList Dest;
    Dest.Add(NewID());
    Source.CopyTo(Dest);
    EXPECT_EQ(Dest.LastID, 9);
    EXPECT_EQ(Dest.Count(), 0);
    TObjectList Plain;
    EXPECT_THROW(Source.CopyTo(Plain), EInvalidCast);
    EXPECT_THROW(Dest.Add(std::make_unique<TObjectList>()), EInvalidCast);
}

}  // namespace
}  // namespace tulma
