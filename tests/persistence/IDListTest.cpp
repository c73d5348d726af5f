#include <gtest/gtest.h>

#include <climits>
#include <vector>

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

TEST(IDList, StoredLastIDOutOfRangeGoesOnAboveTheIdentifiersInUse) {
    constexpr int32_t Highest = INT32_MAX;
    const struct {
        int32_t LastID;
        std::vector<int32_t> InUse;
        int32_t Expected;
    } Cases[] = {
        {Highest, {0, 4, 2}, 5},
        {Highest, {}, 0},
        {Highest, {0, 1, Highest, 3}, 2},
        {-5, {0, 7}, 8},
        {-5, {}, 0},
        {INT32_MIN, {3}, 4},
        {Highest - 1, {0}, Highest},
    };
    for (const auto& Case : Cases) {
        TIDList List;
        for (const int32_t ID : Case.InUse) {
            auto Item = NewID();
            Item->ID = ID;
            List.Add(std::move(Item));
        }
        List.LastID = Case.LastID;
        List.Add(NewID());
        EXPECT_EQ(List.LastID, Case.Expected) << "LastID " << Case.LastID;
        EXPECT_TRUE(List.HasID(Case.Expected)) << "LastID " << Case.LastID;
        List.Add(NewID());
        EXPECT_GE(List.LastID, 0) << "LastID " << Case.LastID;
        EXPECT_EQ(List.Count(), static_cast<int32_t>(Case.InUse.size()) + 2);
    }
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
