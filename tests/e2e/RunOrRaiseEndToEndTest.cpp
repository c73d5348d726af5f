#include <gtest/gtest.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "TulmaProgramFixture.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

constexpr std::uint32_t KeyK = 'k';
constexpr std::uint16_t CtrlAltK = 0xC000 | 'K';

class RunOrRaiseEndToEndTest : public TulmaProgramFixture {
  protected:
    // A window of the test client with the given program names, waited for until it is managed.
    xcb_window_t OpenWindow(const std::string& Title, const std::string& Instance, const std::string& Class) {
        const pid_t Pid = StartProgram({TULMA_TEST_WINDOW, Title, "--class", Instance, Class});
        Started.push_back(Pid);
        xcb_window_t Window = XCB_WINDOW_NONE;
        WaitUntil([&] { return (Window = WindowOfPid(Display.Connection(), Pid)) != XCB_WINDOW_NONE; }, 10s,
                  100ms);
        return Window;
    }

    // The active window once the window manager has also raised it above the Others.
    xcb_window_t ActiveOnTop(const std::set<xcb_window_t>& Others) {
        const xcb_window_t Active = ActiveWindow(Display.Connection());
        return RaisedAbove(Active, Others) ? Active : xcb_window_t{XCB_WINDOW_NONE};
    }

    struct TListing {
        int Status = -1;
        std::string Output;
    };

    TListing ListWindows(const std::string& Text) {
        const std::string Command = (Dir / "tulma").string() + " --list-windows '" + Text + "'";
        TListing Result;
        FILE* Pipe = popen(Command.c_str(), "r");
        for (int C; (C = std::fgetc(Pipe)) != EOF;) {
            Result.Output += static_cast<char>(C);
        }
        const int Status = pclose(Pipe);
        Result.Status = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
        return Result;
    }
};

TEST_F(RunOrRaiseEndToEndTest, HotKeyCyclesThroughTheWindowsOfItsProgram) {
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName,
                    {{"Cycle", CtrlAltK, "/bin/sh", "-c \"echo x >> " + Marker() + "\"", "class:cycler"}});
    const pid_t Tulma = StartTulma(FileName);
    ASSERT_NE(MainWindow(Tulma), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun({Keys::Control, Keys::Alt, KeyK})) << "without a match the program starts";
    const int Starts = Runs();

    const xcb_window_t Notes = OpenWindow("cycler notes", "notes", "Notes");
    const xcb_window_t One = OpenWindow("one", "cycler", "Cycler");
    const xcb_window_t Two = OpenWindow("two", "cycler", "Cycler");
    const xcb_window_t Three = OpenWindow("three", "cycler", "Cycler");
    const std::set<xcb_window_t> Cyclers{One, Two, Three};
    ASSERT_FALSE(Cyclers.contains(XCB_WINDOW_NONE));
    // The focus on another program's window, and not still on its way to the window opened last.
    Xdotool("windowactivate " + std::to_string(Notes));
    ASSERT_TRUE(WaitUntil([&] { return ActiveWindow(Display.Connection()) == Notes; }, 10s, 100ms));
    std::vector<xcb_window_t> Activated;
    for (int Press = 0; Press < 4; ++Press) {
        const xcb_window_t Before = ActiveWindow(Display.Connection());
        TulmaProgramFixture::Press({Keys::Control, Keys::Alt, KeyK});
        ASSERT_TRUE(WaitUntil(
            [&] {
                const xcb_window_t Now = ActiveOnTop(Cyclers);
                return Now != Before && Cyclers.contains(Now);
            },
            10s, 100ms))
            << "press " << Press + 1;
        Activated.push_back(ActiveWindow(Display.Connection()));
    }
    EXPECT_EQ(Activated, (std::vector<xcb_window_t>{Three, One, Two, Three}))
        << "the topmost, then the others from the lowest up, each once, then around again";
    EXPECT_EQ(Runs(), Starts) << "nothing started while a window matches";
}

// One hotkey on an application's desktop entry, with class: of the entry's StartupWMClass: the first
// press starts the application, the next one brings its window back instead of starting another.
TEST_F(RunOrRaiseEndToEndTest, DesktopEntryStartsTheApplicationThenBringsItsWindowBack) {
    const std::string Entry = (Dir / "editor.desktop").string();
    std::ofstream(Entry) << "[Desktop Entry]\nType=Application\nName=Editor\nStartupWMClass=Editor\n"
                         << "Exec=/bin/sh -c \"echo x >> " << Marker() << "; exec " << TULMA_TEST_WINDOW
                         << " Editor --class editor Editor\"\n";
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName, {{"Editor", CtrlAltK, Entry, "", "class:Editor"}});
    const xcb_window_t Main = MainWindow(StartTulma(FileName));
    ASSERT_NE(Main, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun({Keys::Control, Keys::Alt, KeyK}));
    xcb_window_t Editor = XCB_WINDOW_NONE;
    ASSERT_TRUE(WaitUntil([&] { return ListWindows("class:Editor").Status == 0; }, 10s, 100ms));
    ASSERT_TRUE(WaitUntil(
        [&] {
            Editor = ActiveOnTop({Main});
            return Editor != XCB_WINDOW_NONE && Editor != Main;
        },
        10s, 100ms));

    const int Starts = Runs();
    const xcb_window_t Other = OpenWindow("other", "other", "Other");
    ASSERT_TRUE(WaitUntil([&] { return ActiveOnTop({Editor}) == Other; }, 10s, 100ms));
    TulmaProgramFixture::Press({Keys::Control, Keys::Alt, KeyK});
    EXPECT_TRUE(WaitUntil([&] { return ActiveOnTop({Other}) == Editor; }, 10s, 100ms));
    EXPECT_EQ(Runs(), Starts);
}

TEST_F(RunOrRaiseEndToEndTest, ListWindowsPrintsTheMatchesAndFailsWithoutOne) {
    OpenWindow("cycler notes", "notes", "Notes");
    OpenWindow("~/src", "cycler", "Cycler");

    const struct {
        std::string Text;
        int Status;
        std::string Output;
    } Cases[] = {
        {"class:CYCLER", 0, "cycler.Cycler\t~/src\n"},
        {"Cycler", 0, "notes.Notes\tcycler notes\n"},
        {"class:Cycler notes", 1, ""},
        {"nothing here", 1, ""},
    };
    for (const auto& Case : Cases) {
        const TListing Result = ListWindows(Case.Text);
        EXPECT_EQ(Result.Status, Case.Status) << Case.Text;
        EXPECT_EQ(Result.Output, Case.Output) << Case.Text;
    }
    const TListing Everything = ListWindows("");
    EXPECT_EQ(Everything.Status, 0);
    EXPECT_NE(Everything.Output.find("notes.Notes\tcycler notes\n"), std::string::npos) << Everything.Output;
}

}  // namespace
}  // namespace tulma::test
