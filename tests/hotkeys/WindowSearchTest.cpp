#include <gtest/gtest.h>

#include <algorithm>

#include "DesktopWindows.h"
#include "HotKeyFixtures.h"
#include "PlatformFakes.h"
#include "WindowMatch.h"

namespace tulma {
namespace {

TWindowInfo Window(TWindowHandle Handle, std::string Title, std::string Instance, std::string Class) {
    return {.Handle = Handle,
            .Title = std::move(Title),
            .Instance = std::move(Instance),
            .Class = std::move(Class)};
}

const std::vector<TWindowInfo> Desktop{
    Window(1, "mail - Firefox", "Navigator", "firefox"), Window(2, "~/src: xterm", "xterm", "XTerm"),
    Window(3, "Notes about XTerm", "gedit", "Gedit"),    Window(4, "", "xterm", "XTerm"),
    Window(5, "class:xterm", "other", "Other"),
};

std::vector<TWindowHandle> Handles(const std::vector<TWindowInfo>& Windows) {
    std::vector<TWindowHandle> Result;
    std::ranges::transform(Windows, std::back_inserter(Result), &TWindowInfo::Handle);
    return Result;
}

TEST(WindowMatch, TextFormsMatchTheirWindowsTopmostFirst) {
    const struct {
        std::string Text;
        std::vector<TWindowHandle> Expected;
    } Cases[] = {
        {"class:xterm", {2, 4}},   // the instance name, also for a window without a title
        {"class:xTERM", {2, 4}},   // case ignored
        {"class:firefox", {1}},    // the class name
        {"class:navigator", {1}},  // the instance name of another program
        {"class:gedit", {3}},      // a title naming XTerm does not make gedit an xterm
        {"class:Notes", {}},       // a title word is no program name
        {"class:", {}},            // no name matches nothing
        {"class:xterm ", {}},      // the name is taken as written
        {"xterm", {2, 3, 5}},      // a plain text looks at titles only
        {"Class:xterm", {5}},      // only the lower-case prefix names a program
        {"", {}},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Handles(MatchingWindows(Desktop, Case.Text)), Case.Expected) << Case.Text;
    }
}

TEST(WindowMatch, ListLineShowsProgramNamesAndTitle) {
    EXPECT_EQ(WindowLine(Desktop[1]), "xterm.XTerm\t~/src: xterm");
}

class WindowCycling : public testing::Test {
  protected:
    WindowCycling() { Windows.OnActivate = test::FakeDesktopWindows::Activation::Raises; }

    test::FakeDesktopWindows Windows;
    test::FakeLauncher Starter;
    std::unique_ptr<THotKeyCommand> Command = test::Command("t", "xterm");

    void Press(int Times) {
        for (int I = 0; I < Times; ++I) {
            Command->ExecuteCommand(Windows, Starter);
        }
    }
};

TEST_F(WindowCycling, RepeatedPressesVisitEveryMatchAndWrapAround) {
    for (const bool Restacks : {true, false}) {
        Windows.OnActivate = Restacks ? test::FakeDesktopWindows::Activation::Raises
                                      : test::FakeDesktopWindows::Activation::Focuses;
        Windows.Restored.clear();
        Windows.Desktop.Windows = {Window(1, "a", "xterm", "XTerm"), Window(9, "editor", "gedit", "Gedit"),
                                   Window(2, "b", "xterm", "XTerm"), Window(3, "c", "xterm", "XTerm")};
        Windows.Desktop.Active = 9;
        Command->LookForWindow = "class:xterm";
        Press(4);
        EXPECT_EQ(Windows.Restored, (std::vector<TWindowHandle>{1, 3, 2, 1}))
            << "the topmost first, then the least recently used, once each; restacking: " << Restacks;
        EXPECT_TRUE(Starter.Started.empty());
    }
}

// On a window manager that does not restack: what the cycle does when windows open, close or get the
// focus between presses.
TEST_F(WindowCycling, CycleFollowsOpenedClosedAndFocusedWindows) {
    Windows.OnActivate = test::FakeDesktopWindows::Activation::Focuses;
    auto& Desktop = Windows.Desktop;
    Desktop.Windows = {Window(1, "a", "xterm", "XTerm"), Window(9, "editor", "gedit", "Gedit"),
                       Window(2, "b", "xterm", "XTerm"), Window(3, "c", "xterm", "XTerm"),
                       Window(4, "d", "xterm", "XTerm")};
    Desktop.Active = 9;
    Command->LookForWindow = "class:xterm";
    Press(1);
    Desktop.Active = 3;  // chosen by hand: visited too
    Press(1);
    std::erase_if(Desktop.Windows, [](const TWindowInfo& W) { return W.Handle == 2; });
    Desktop.Windows.insert(Desktop.Windows.begin(), Window(5, "e", "xterm", "XTerm"));
    Press(3);
    EXPECT_EQ(Windows.Restored, (std::vector<TWindowHandle>{1, 4, 5, 1, 4}))
        << "a closed window leaves the order, a new one joins its end, then around again";
    Desktop.Active = 9;
    Press(2);
    EXPECT_EQ(Windows.Restored, (std::vector<TWindowHandle>{1, 4, 5, 1, 4, 5, 4}))
        << "from another window a new cycle starts at the topmost match";
    EXPECT_TRUE(Starter.Started.empty());
}

TEST_F(WindowCycling, SingleActiveMatchStaysAndNoMatchStarts) {
    Windows.Desktop.Windows = {Window(1, "Untitled - NOTEPAD", "notepad", "Notepad"),
                               Window(2, "x", "x", "X")};
    Windows.Desktop.Active = 1;
    Command->LookForWindow = "note";
    Press(2);
    EXPECT_EQ(Windows.Restored, (std::vector<TWindowHandle>{1, 1}));
    Command->LookForWindow = "class:wordpad";
    Press(1);
    EXPECT_EQ(Starter.Started.size(), 1u);
}

}  // namespace
}  // namespace tulma
