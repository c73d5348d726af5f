#include <gtest/gtest.h>

#include <memory>

#include "HotTulma.h"
#include "KeyComboText.h"
#include "QtText.h"
#include "RegistrationMarks.h"

using namespace tulma;

namespace {

constexpr std::uint16_t CtrlAlt = 0xC000;

std::unique_ptr<THotTulma> HotKeyOf(const std::string& Name, std::uint16_t Combination) {
    auto HotKey = std::make_unique<THotTulma>();
    HotKey->Name = Name;
    HotKey->HotKey = Combination;
    return HotKey;
}

TEST(RegistrationMarksTest, RefusalSaysWhyTheCombinationCannotBePressed) {
    const auto Holder = HotKeyOf("Alpha", CtrlAlt | 'A');
    const struct {
        std::uint16_t Combination;
        std::string Reason;
        const THotTulma* Holder;
        const char* Says;
    } Cases[] = {
        {0, "", nullptr, "no key combination that can be pressed"},
        {CtrlAlt, "sway says no", Holder.get(), "no key combination that can be pressed"},
        {CtrlAlt | 'A', "sway says no", Holder.get(), "is refused: sway says no. Pressing it does not run"},
        {CtrlAlt | 'A', "", Holder.get(), "is used by Alpha: pressing it runs that hotkey"},
        {CtrlAlt | 'A', "", nullptr, "taken by another program"},
    };
    for (const auto& Case : Cases) {
        const auto HotKey = HotKeyOf("Beta", Case.Combination);
        EXPECT_EQ(HasPressableKey(*HotKey), Case.Combination != 0 && Case.Combination != CtrlAlt);
        EXPECT_TRUE(RefusalText(*HotKey, Case.Reason, Case.Holder).contains(Case.Says))
            << Case.Says << ": " << FromQString(RefusalText(*HotKey, Case.Reason, Case.Holder));
    }
}

TEST(RegistrationMarksTest, AssignmentNamesWhatTheDesktopBound) {
    EXPECT_EQ(AssignmentText("Ctrl+Alt+X"), QString("the desktop assigned Ctrl+Alt+X"));
    EXPECT_EQ(AssignmentText(""), QString("not assigned by the desktop"));
}

TEST(RegistrationMarksTest, RefusedHotKeysAreToldByNameAndCount) {
    const auto Alpha = HotKeyOf("Alpha", CtrlAlt | 'A');
    const auto Beta = HotKeyOf("Beta", CtrlAlt | 'A');
    const QString Combination = ToQString(KeyComboText(CtrlAlt | 'A'));
    EXPECT_EQ(RefusalLine(*Alpha, nullptr), "Alpha (" + Combination + "): taken by another program");
    EXPECT_EQ(RefusalLine(*Beta, Alpha.get()), "Beta (" + Combination + "): used by Alpha");

    EXPECT_FALSE(RefusalNews({}));
    const auto One = RefusalNews({"one"});
    ASSERT_TRUE(One);
    EXPECT_EQ(One->Summary, QString("A hotkey cannot be pressed"));
    EXPECT_EQ(One->Body, QString("one\nThe tray menu still runs them."));
    const auto Two = RefusalNews({"one", "two"});
    ASSERT_TRUE(Two);
    EXPECT_EQ(Two->Summary, QString("2 hotkeys cannot be pressed"));
    EXPECT_EQ(Two->Body, QString("one\ntwo\nThe tray menu still runs them."));
    const auto Seven = RefusalNews({"1", "2", "3", "4", "5", "6", "7"});
    ASSERT_TRUE(Seven);
    EXPECT_EQ(Seven->Summary, QString("7 hotkeys cannot be pressed"));
    EXPECT_EQ(Seven->Body,
              QString("1\n2\n3\n4\n5\nand 2 more, marked in the list\nThe tray menu still runs them."));
}

}  // namespace
