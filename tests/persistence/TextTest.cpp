#include <gtest/gtest.h>

#include <cstdlib>

#include "StreamBytes.h"
#include "Text.h"

namespace tulma {
namespace {

using test::Bytes;

std::string Expanded(const char* Value) {
    auto Text = TText::CreateWithText(Value);
    Text->ExpandEnvironment();
    return Text->GetText();
}

std::string Replaced(const char* Value, const char* Old, const char* New) {
    auto Text = TText::CreateWithText(Value);
    Text->ReplaceAll(Old, New);
    return Text->GetText();
}

TEST(Text, NewTextStoresAsEmptyString) {
    EXPECT_EQ(test::WrittenObject(TText()), (Bytes{0xE8, 3, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(TText().Capacity(), 10);
}

TEST(Text, TextEndsAtAnEmbeddedNul) {
    TText Text;
    Text.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(Text.GetText(), "ab");
    EXPECT_EQ(Text.Length(), 2);
}

TEST(Text, SetCapacityCutsOnlyWhenShrinking) {
    auto Text = TText::CreateWithText("abcdef");
    Text->SetCapacity(3);
    EXPECT_EQ(Text->GetText(), "abc");
    Text->SetCapacity(50);
    EXPECT_EQ(Text->GetText(), "abc");
    EXPECT_EQ(Text->Capacity(), 55);
}

TEST(Text, ComparesIgnoringCase) {
    EXPECT_EQ(TText::CreateWithText("abc")->Compare(*TText::CreateWithText("ABC")), 0);
    EXPECT_EQ(TText::CreateWithText("abc")->Compare(*TText::CreateWithText("abd")), -1);
    EXPECT_EQ(TText::CreateWithText("b")->Compare(*TText::CreateWithText("A")), 1);
}

TEST(Text, ReplaceAllWorksLeftToRightWithoutRescanning) {
    EXPECT_EQ(Replaced("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(Replaced("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(Replaced("abc", "", "x"), "abc");
    EXPECT_EQ(Replaced("1,5,0", ",", "."), "1.5.0");
    auto Text = TText::CreateWithText("3,14");
    Text->CommaToPoint();
    EXPECT_EQ(Text->GetText(), "3.14");
}

class ExpandEnvironment : public testing::Test {
  protected:
    void SetUp() override {
        setenv("HOME", "/h", 1);
        setenv("A", "%B%", 1);
        setenv("B", "x", 1);
        unsetenv("UNDEFINED");
    }
};

TEST_F(ExpandEnvironment, ReplacesReferencesAndLeavesTheRest) {
    EXPECT_EQ(Expanded("%HOME%/x"), "/h/x");
    EXPECT_EQ(Expanded("50%"), "50%");
    EXPECT_EQ(Expanded("a%%b"), "ab");
    EXPECT_EQ(Expanded("%UNDEFINED%x"), "x");
    EXPECT_EQ(Expanded("%HOME%%UNDEFINED%x"), "/hx");
    EXPECT_EQ(Expanded("%B%%B%"), "xx");
}

TEST_F(ExpandEnvironment, ValuesAreNotScannedAgainButLaterReferencesAre) {
    EXPECT_EQ(Expanded("%A%"), "%B%");
    EXPECT_EQ(Expanded("%A% %B%"), "x x");
}

TEST_F(ExpandEnvironment, ClosingPercentNeverOpensTheNextReference) {
    setenv("ONE", "1", 1);
    setenv("TWO", "2", 1);
    setenv("THREE", "3", 1);
    EXPECT_EQ(Expanded("%ONE%TWO%THREE%"), "1TWO3");
}

TEST_F(ExpandEnvironment, LongValuesArriveWhole) {
    const std::string Long(5000, 'p');
    setenv("LONGVALUE", Long.c_str(), 1);
    EXPECT_EQ(Expanded("%LONGVALUE%"), Long);
}

TEST(MatchesPattern, StarsAtTheEndsOnly) {
    EXPECT_TRUE(MatchesPattern("Document - Editor", "*EDITOR*"));
    EXPECT_TRUE(MatchesPattern("Editor", "edit*"));
    EXPECT_FALSE(MatchesPattern("Editor", "edit"));
    EXPECT_TRUE(MatchesPattern("editor", "EDITOR"));
    EXPECT_TRUE(MatchesPattern("", ""));
    EXPECT_TRUE(MatchesPattern("x a*b y", "*a*b*"));
    EXPECT_FALSE(MatchesPattern("x aXb y", "*a*b*"));
    EXPECT_FALSE(MatchesPattern("abxab", "*ab")) << "only the first occurrence counts";
}

TEST(MatchesPattern, UpperCaseFollowsTheUnicodeRules) {
    EXPECT_TRUE(MatchesPattern("Übersicht - Straße", "*übersicht*"));
    EXPECT_TRUE(
        MatchesPattern("\xDC"
                       "bersicht",
                       "*\xFC"
                       "bersicht*"))
        << "Windows-1252 bytes";
}

}  // namespace
}  // namespace tulma
