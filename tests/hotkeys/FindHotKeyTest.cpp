#include <gtest/gtest.h>

#include "FindHotKey.h"
#include "HotKeyFixtures.h"
#include "IDList.h"

namespace tulma {
namespace {

class FindHotKeyTest : public testing::Test {
  protected:
    // Adds hotkeys in the order given: they get the identifiers 0, 1, 2...
    void Add(std::initializer_list<const char*> Names) {
        for (const char* Name : Names) {
            HotKeys.Add(test::HotKey(Name, 0));
        }
    }
    int32_t FoundID(const std::string& Name) {
        const THotTulma* Found = FindHotKey(HotKeys, Name);
        return Found != nullptr ? Found->ID : -1;
    }

    TIDList HotKeys;
};

TEST_F(FindHotKeyTest, ExactNameWinsOverTheMenuText) {
    Add({"&Mail", "Mail", "&&Tom && Jerry"});
    EXPECT_EQ(FoundID("Mail"), 1);
    EXPECT_EQ(FoundID("&Mail"), 0);
    EXPECT_EQ(FoundID("&Tom & Jerry"), 2);
    EXPECT_EQ(FoundID("&&Tom && Jerry"), 2);
}

TEST_F(FindHotKeyTest, OfSeveralTheOldestRuns) {
    Add({"Editor", "Shell", "Editor", "&Shell"});
    EXPECT_EQ(FoundID("Editor"), 0);
    HotKeys.FreeByID(0);
    EXPECT_EQ(FoundID("Editor"), 2);
    EXPECT_EQ(FoundID("Shell"), 1);
}

TEST_F(FindHotKeyTest, NoFittingNameFindsNothing) {
    Add({"&Mail"});
    for (const char* Name : {"mail", "Mai", "", "&Mail "}) {
        EXPECT_EQ(FindHotKey(HotKeys, Name), nullptr) << Name;
    }
    EXPECT_EQ(FindHotKey(TIDList(), "Mail"), nullptr);
}

TEST(MenuText, LeavesOutTheAcceleratorMarks) {
    EXPECT_EQ(MenuText("&Xmark"), "Xmark");
    EXPECT_EQ(MenuText("Save &as..."), "Save as...");
    EXPECT_EQ(MenuText("A && B"), "A & B");
    EXPECT_EQ(MenuText("end&"), "end&");
}

}  // namespace
}  // namespace tulma
