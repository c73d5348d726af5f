#include <gtest/gtest.h>

#include <set>
#include <string>

#include "AtomTable.h"

namespace tulma {
namespace {

TEST(AtomTableTest, SameNameGivesSameValueWhileInUse) {
    TAtomTable Table;
    const std::uint16_t Seven = Table.AddAtom("THotTulma7");
    EXPECT_GE(Seven, 0xC000);
    EXPECT_EQ(Table.AddAtom("THotTulma7"), Seven);
    EXPECT_EQ(Table.AddAtom("thottulma7"), Seven) << "names ignore letter case";
    const std::uint16_t Eight = Table.AddAtom("THotTulma8");
    EXPECT_NE(Eight, Seven);
    EXPECT_EQ(Table.AtomName(Seven), "THotTulma7");

    // Three uses: two deletions keep it, the third frees it.
    EXPECT_EQ(Table.DeleteAtom(Seven), 0);
    EXPECT_EQ(Table.DeleteAtom(Seven), 0);
    EXPECT_EQ(Table.FindAtom("THotTulma7"), Seven);
    EXPECT_EQ(Table.DeleteAtom(Seven), 0);
    EXPECT_EQ(Table.FindAtom("THotTulma7"), 0);
    EXPECT_EQ(Table.AtomName(Seven), "");
    EXPECT_EQ(Table.DeleteAtom(Seven), Seven) << "a value not in use is reported back";
    EXPECT_EQ(Table.FindAtom("THotTulma8"), Eight);
}

TEST(AtomTableTest, FreedValuesAreReusedAndTheRangeIsBounded) {
    TAtomTable Table;
    std::set<std::uint16_t> Values;
    for (int I = 0; I < 0x4000; ++I) {
        const std::uint16_t Value = Table.AddAtom("Name" + std::to_string(I));
        ASSERT_GE(Value, 0xC000);
        Values.insert(Value);
    }
    EXPECT_EQ(Values.size(), 0x4000u);
    EXPECT_EQ(Table.AddAtom("OneTooMany"), 0) << "the table is full";
    Table.DeleteAtom(0xC123);
    EXPECT_EQ(Table.AddAtom("OneTooMany"), 0xC123);
}

TEST(AtomTableTest, UnusableNamesGiveNoValue) {
    TAtomTable Table;
    EXPECT_EQ(Table.AddAtom(""), 0);
    EXPECT_EQ(Table.AddAtom(std::string(256, 'x')), 0);
    EXPECT_NE(Table.AddAtom(std::string(255, 'x')), 0);
}

TEST(AtomTableTest, GlobalTableIsOnePerProcess) {
    const std::uint16_t Value = TAtomTable::Global().AddAtom("THotTulmaGlobal");
    EXPECT_EQ(TAtomTable::Global().FindAtom("THotTulmaGlobal"), Value);
    TAtomTable::Global().DeleteAtom(Value);
}

}  // namespace
}  // namespace tulma
