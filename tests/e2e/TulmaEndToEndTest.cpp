#include <gtest/gtest.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "ShellTestSupport.h"
#include "TulmaProgramFixture.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t KeyD = 'd';
constexpr std::uint32_t KeyK = 'k';
constexpr std::uint32_t KeyL = 'l';
constexpr std::uint32_t KeyN = 'n';
constexpr std::uint32_t KeyX = 'x';
constexpr std::uint32_t KeyY = 'y';
// Ctrl+Alt+K as a hotkey file stores it.
constexpr std::uint16_t CtrlAltK = 0xC000 | 'K';
constexpr std::uint16_t CtrlAltL = 0xC000 | 'L';

class TulmaEndToEndTest : public TulmaProgramFixture {
  protected:
    // A hotkey file in the test directory whose hotkey "&Xmark" on Ctrl+Alt+K adds a line to the marker.
    std::string MarkerHotKeyFile(bool Minimize = false) {
        const std::string FileName = (Dir / "keys.tul").string();
        WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh", "-c \"echo x >> " + Marker() + "\""}},
                        Minimize);
        return FileName;
    }

    void PressCtrlAltK() { Press({Keys::Control, Keys::Alt, KeyK}); }

    // The window of the process Tulma comes up and the tray icon goes.
    void ExpectWindowShownAndTrayIconGone(pid_t Tulma) {
        EXPECT_TRUE(WaitUntil(
            [&] {
                const xcb_window_t Shown = WindowOfPid(Display.Connection(), Tulma);
                return Shown != XCB_WINDOW_NONE && Viewable(Shown);
            },
            10s, 100ms));
        EXPECT_TRUE(WaitUntil([this] { return TrayIcons().empty(); }, 10s, 100ms));
    }

    bool PressUntilRun() { return TulmaProgramFixture::PressUntilRun({Keys::Control, Keys::Alt, KeyK}); }

    // Selects the list's first line and deletes it with the Delete button's key, answering Yes.
    void DeleteFirstHotKey(xcb_window_t Window) {
        Xdotool("windowactivate --sync " + std::to_string(Window));
        ClickInWindow(Window, 40, 57);  // the list's first line
        Pause(300);
        Keyboard->Chord({Keys::Alt, KeyD});
        xcb_flush(Display.Connection());
        Pause(1000);
        Keyboard->Tap(KeyY);  // "Yes" to the question whether to delete
        xcb_flush(Display.Connection());
        Pause(1000);
    }

    static std::string FileBytes(const std::string& FileName) {
        std::ifstream In(FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(In), {});
    }

    // A press, then time for the hotkey to run if it is going to.
    int RunsAfterPress() {
        PressCtrlAltK();
        Pause(1500);
        return Runs();
    }

    // Opens the tray icon's menu and picks the "&Xmark" item by its accelerator.
    void ChooseXmarkInTrayMenu(TPoint Icon) {
        Click(Icon);
        Pause(700);
        Keyboard->Tap(KeyX);
        xcb_flush(Display.Connection());
    }

    void Xdotool(const std::string& Arguments) {
        ASSERT_EQ(std::system(("xdotool " + Arguments + " >/dev/null 2>&1").c_str()), 0) << Arguments;
    }

    struct TCommandResult {
        int Status = -1;
        std::string Output;
    };

    // Runs the copy of tulma at Program with Arguments to its end; its standard output and error.
    TCommandResult RunTulma(const fs::path& Program, const std::string& Arguments) {
        const fs::path Output = Dir / "output";
        // A program that stays instead of ending fails the test rather than holding it up.
        const std::string Command =
            "timeout 60 " + Program.string() + " " + Arguments + " >" + Output.string() + " 2>&1";
        const int Status = std::system(Command.c_str());
        std::ifstream File(Output);
        return {WIFEXITED(Status) ? WEXITSTATUS(Status) : -1,
                std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>())};
    }

    // A private place for the running program's socket.
    void UsePrivateRuntimeDirectory() {
        fs::create_directory(Dir / "runtime");
        fs::permissions(Dir / "runtime", fs::perms::owner_all);
        setenv("XDG_RUNTIME_DIR", (Dir / "runtime").c_str(), 1);
    }

    void ClickInWindow(xcb_window_t Window, int X, int Y) {
        Xdotool("mousemove --window " + std::to_string(Window) + " " + std::to_string(X) + " " +
                std::to_string(Y) + " click 1");
    }
};

TEST_F(TulmaEndToEndTest, HotKeyFileOpensAndItsCombinationRunsItsCommand) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    EXPECT_TRUE(Viewable(Window));
    ASSERT_TRUE(PressUntilRun());
    EXPECT_TRUE(TrayIcons().empty());
}

// The hotkey starts the application of a desktop entry, its parameters filling the field code.
TEST_F(TulmaEndToEndTest, HotKeyOnADesktopEntryStartsItsApplication) {
    const std::string Entry = (Dir / "marker.desktop").string();
    std::ofstream(Entry) << "[Desktop Entry]\nType=Application\nName=Marker\nExec=/bin/sh -c \"echo x >> "
                         << Marker() << "\" %f\n";
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, Entry, "file"}});
    ASSERT_NE(MainWindow(StartTulma(FileName)), XCB_WINDOW_NONE);
    EXPECT_TRUE(PressUntilRun());
}

TEST_F(TulmaEndToEndTest, ParametersSplitTheWayPeopleTypeThem) {
    // sh writes the arguments after its script to the marker, one a line.
    const std::string FileName = (Dir / "keys.tul").string();
    WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh",
                                R"(-c "printf '%s\n' \"$0\" \"$@\" >> )" + Marker() + R"(" Don't panic)"}});
    ASSERT_NE(MainWindow(StartTulma(FileName)), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    std::ifstream File(Marker());
    const std::string Text((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    // A press that came through late runs the command once more: every run gives the same two lines.
    std::string EveryRun;
    while (EveryRun.size() < Text.size()) {
        EveryRun += "Don't\npanic\n";
    }
    EXPECT_EQ(Text, EveryRun);
}

TEST_F(TulmaEndToEndTest, UnreadableCommandLineFileIsReportedAndTheDefaultHotKeysStay) {
    WriteHotKeyFile((Dir / "KeyList.TUL").string(),
                    {{"&Xmark", CtrlAltK, "/bin/sh", "-c \"echo x >> " + Marker() + "\""}});
    std::ofstream((Dir / "damaged.tul").string()) << "not a hotkey file";
    const pid_t Tulma = StartTulma((Dir / "damaged").string());
    const xcb_window_t ErrorBox = MainWindow(Tulma);
    ASSERT_NE(ErrorBox, XCB_WINDOW_NONE);
    // Start-up waits at the error box: nothing is registered yet.
    EXPECT_EQ(RunsAfterPress(), 0);
    Xdotool("windowactivate --sync " + std::to_string(ErrorBox));
    Keyboard->Tap(Keys::Return);
    xcb_flush(Display.Connection());
    EXPECT_TRUE(PressUntilRun());
}

TEST_F(TulmaEndToEndTest, DamagedDefaultFileSurvivesASave) {
    // A hotkey file's class code, then bytes that no hotkey file holds.
    constexpr char DamagedBytes[] = "\x9C\0\0\0damaged hotkeys";
    const std::string Damaged(DamagedBytes, sizeof DamagedBytes - 1);
    const fs::path Default = Dir / "KeyList.TUL";
    std::ofstream(Default, std::ios::binary) << Damaged;
    const pid_t Tulma = StartTulma("");
    const xcb_window_t ErrorBox = MainWindow(Tulma);
    ASSERT_NE(ErrorBox, XCB_WINDOW_NONE);
    Xdotool("windowactivate --sync " + std::to_string(ErrorBox));
    Keyboard->Tap(Keys::Return);
    xcb_flush(Display.Connection());
    xcb_window_t Window = XCB_WINDOW_NONE;
    ASSERT_TRUE(WaitUntil(
        [&] {
            Window = WindowOfPid(Display.Connection(), Tulma);
            return Window != XCB_WINDOW_NONE && Window != ErrorBox && Viewable(Window);
        },
        10s, 100ms));

    ClickInWindow(Window, 117, 274);  // Save
    const fs::path Kept = Dir / "KeyList.TUL.damaged";
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Kept) && fs::file_size(Default) == 16384; }, 10s, 100ms));
    std::ifstream Copy(Kept, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(Copy), {}), Damaged);
    EXPECT_EQ(QuitByButton(Tulma, Window), 0);
}

TEST_F(TulmaEndToEndTest, TwoQuickPressesWhileTheWindowHasTheFocusRunTwice) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    Xdotool("windowactivate --sync " + std::to_string(Window));
    ASSERT_TRUE(PressUntilRun());
    EXPECT_EQ(RunsAfterPress(), 2);
}

TEST_F(TulmaEndToEndTest, TrayMenuListsTheHotKeyAndChoosingItRunsIt) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    Xdotool("windowminimize " + std::to_string(Window));
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    EXPECT_TRUE(WaitUntil([&] { return !Viewable(Window); }, 10s, 100ms));

    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(WaitUntil([this] { return Runs() == 2; }, 3s, 100ms));
}

TEST_F(TulmaEndToEndTest, MinimizeFlagStartsWithOnlyTheTrayIcon) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile(true));
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    ASSERT_TRUE(PressUntilRun());
    const xcb_window_t Window = WindowOfPid(Display.Connection(), Tulma);
    EXPECT_TRUE(Window == XCB_WINDOW_NONE || !Viewable(Window));

    // A double click on the icon brings the window back and takes the icon away.
    const TPoint Icon = TrayIcons()[0];
    Click(Icon);
    Pause(80);
    Click(Icon);
    ExpectWindowShownAndTrayIconGone(Tulma);
}

TEST_F(TulmaEndToEndTest, DeletedHotKeyNoLongerRuns) {
    // A second hotkey, listed after "&Xmark", shows that presses still reach the program.
    const std::string FileName = (Dir / "keys.tul").string();
    const std::string Other = (Dir / "other").string();
    WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh", "-c \"echo x >> " + Marker() + "\""},
                               {"Zother", CtrlAltL, "/usr/bin/touch", Other}});
    const pid_t Tulma = StartTulma(FileName);
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());

    DeleteFirstHotKey(Window);

    EXPECT_EQ(RunsAfterPress(), 1);
    Keyboard->Chord({Keys::Control, Keys::Alt, KeyL});
    xcb_flush(Display.Connection());
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Other); }, 3s, 100ms));
}

// The desktop session ends (SIGTERM at logout) while an edit is unsaved: the program ends normally, the
// edit is kept in a recovery copy and the hotkey file is left as it was.
TEST_F(TulmaEndToEndTest, SessionEndKeepsUnsavedEditsInARecoveryCopyAndLeavesTheFile) {
    const std::string FileName = MarkerHotKeyFile();
    const std::string Before = FileBytes(FileName);
    const pid_t Tulma = StartTulma(FileName);
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    DeleteFirstHotKey(Window);

    EXPECT_EQ(EndBySignal(Tulma, SIGTERM), 0);
    EXPECT_EQ(FileBytes(FileName), Before);
    EXPECT_TRUE(fs::exists(FileName + ".recovered"));
}

TEST_F(TulmaEndToEndTest, SecondCopyIsRefusedTheCombinationButItsTrayMenuRunsTheHotKey) {
    const std::string FileName = MarkerHotKeyFile();
    const pid_t First = StartTulma(FileName);
    ASSERT_NE(MainWindow(First), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());

    // With another file a second program starts beside the first.
    const std::string OtherFile = (Dir / "copy.tul").string();
    fs::copy_file(FileName, OtherFile);
    const pid_t Second = StartTulma(OtherFile);
    const xcb_window_t SecondWindow = MainWindow(Second);
    ASSERT_NE(SecondWindow, XCB_WINDOW_NONE);
    Pause(1000);
    // Only the first copy holds the combination.
    EXPECT_EQ(RunsAfterPress(), 2);

    Xdotool("windowminimize " + std::to_string(SecondWindow));
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(WaitUntil([this] { return Runs() == 3; }, 3s, 100ms));
    EXPECT_EQ(RunsAfterPress(), 4);
}

TEST_F(TulmaEndToEndTest, SecondStartShowsTheRunningTulmaFromTheTrayAndEnds) {
    UsePrivateRuntimeDirectory();
    const std::string FileName = MarkerHotKeyFile(true);
    const pid_t Tulma = StartTulma(FileName);
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    ASSERT_TRUE(PressUntilRun());

    for (const std::string& Arguments : {FileName, std::string()}) {
        const TCommandResult Result = RunTulma(Dir / "tulma", Arguments);
        EXPECT_EQ(Result.Status, 0) << Result.Output;
        ExpectWindowShownAndTrayIconGone(Tulma);
        EXPECT_TRUE(WaitUntil(
            [&] { return ActiveWindow(Display.Connection()) == WindowOfPid(Display.Connection(), Tulma); },
            10s, 100ms));
        // Qt takes a minimise that comes before it has seen the window restored for the state it
        // already knows, and reports no change.
        Pause(500);
        Xdotool("windowminimize " + std::to_string(WindowOfPid(Display.Connection(), Tulma)));
        ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    }
}

TEST_F(TulmaEndToEndTest, MinimiseButtonDuringTheDefinitionDialogKeepsAWindowOnScreen) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    Xdotool("windowactivate --sync " + std::to_string(Window));
    Keyboard->Chord({Keys::Alt, KeyN});
    xcb_flush(Display.Connection());
    xcb_window_t Dialog = XCB_WINDOW_NONE;
    ASSERT_TRUE(WaitUntil(
        [&] {
            Dialog = ActiveWindow(Display.Connection());
            return Dialog != XCB_WINDOW_NONE && Dialog != Window;
        },
        10s, 100ms));

    Click(MinimiseButtonOf(Window));
    // Time for the window manager to minimise the group; the dialog is back at once and the tray stays
    // empty.
    Pause(1000);
    EXPECT_TRUE(WaitUntil([&] { return Viewable(Dialog) && Viewable(Window); }, 10s, 100ms));
    EXPECT_TRUE(TrayIcons().empty());

    // Once the dialog is closed, minimising reaches the tray, whose icon answers.
    Xdotool("windowactivate --sync " + std::to_string(Dialog));
    Keyboard->Tap(Keys::Escape);
    xcb_flush(Display.Connection());
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(Dialog); }, 10s, 100ms));
    Click(MinimiseButtonOf(Window));
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(WaitUntil([this] { return Runs() == 2; }, 3s, 100ms));
}

// At login the tray often comes after Tulma, and it may restart.
class TulmaLateTrayTest : public TulmaEndToEndTest {
  protected:
    TulmaLateTrayTest() { TrayAtStart = false; }
};

TEST_F(TulmaLateTrayTest, TrayStartedAfterTulmaTakesTheMinimisedWindow) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    // Without a tray the window is minimised as any other.
    Xdotool("windowminimize " + std::to_string(Window));
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(Window); }, 10s, 100ms));
    Pause(500);
    EXPECT_TRUE(TrayIcons().empty());

    StartTray();
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    StopTray();
    StartTray();
    ASSERT_TRUE(WaitUntil([this] { return TrayIcons().size() == 1; }, 10s, 100ms));
    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(WaitUntil([this] { return Runs() == 2; }, 3s, 100ms));
}

// A notice at start, here of a combination taken twice, leaves a window that starts minimised without a
// tray minimised; restored, the window has grown to hold the notice.
TEST_F(TulmaLateTrayTest, NoticeAtAMinimisedStartKeepsTheWindowMinimised) {
    constexpr int HeightWithoutNotices = 329;
    const std::string FileName = (Dir / "twice.tul").string();
    const std::string Run = "-c \"echo x >> " + Marker() + "\"";
    WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh", Run}, {"Twice", CtrlAltK, "/bin/sh", Run}},
                    true);
    const pid_t Tulma = StartTulma(FileName);
    ASSERT_TRUE(PressUntilRun());
    const xcb_window_t Window = WindowOfPid(Display.Connection(), Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    Pause(500);
    EXPECT_FALSE(Viewable(Window));

    Xdotool("windowactivate --sync " + std::to_string(Window));
    ASSERT_TRUE(WaitUntil([&] { return Viewable(Window); }, 10s, 100ms));
    EXPECT_TRUE(WaitUntil(
        [&] {
            xcb_get_geometry_reply_t* Geometry = xcb_get_geometry_reply(
                Display.Connection(), xcb_get_geometry(Display.Connection(), Window), nullptr);
            const bool Grown = Geometry != nullptr && Geometry->height > HeightWithoutNotices;
            std::free(Geometry);
            return Grown;
        },
        10s, 100ms));
}

TEST_F(TulmaEndToEndTest, RunOptionHasTheRunningTulmaRunTheHotKey) {
    UsePrivateRuntimeDirectory();
    const pid_t Tulma = StartTulma(MarkerHotKeyFile());
    ASSERT_NE(MainWindow(Tulma), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());
    Pause(1000);
    const int Before = Runs();

    // The program's directory has no default file: only the running Tulma knows the hotkey.
    TCommandResult Result = RunTulma(Dir / "tulma", "--run Xmark");
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(WaitUntil([&] { return Runs() == Before + 1; }, 3s, 100ms));
    Result = RunTulma(Dir / "tulma", "--run '&Xmark'");
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(WaitUntil([&] { return Runs() == Before + 2; }, 3s, 100ms));

    Result = RunTulma(Dir / "tulma", "--run Nothing");
    EXPECT_EQ(Result.Status, 1);
    EXPECT_NE(Result.Output.find("no hotkey is named \"Nothing\""), std::string::npos) << Result.Output;
    Pause(500);
    EXPECT_EQ(Runs(), Before + 2);
}

TEST_F(TulmaEndToEndTest, RunOptionWithoutARunningTulmaRunsFromTheFileItself) {
    UsePrivateRuntimeDirectory();
    // An installed program: its directory is read-only, so the default file lies in the config folder.
    const fs::path Program = Dir / "installed";
    fs::create_directory(Program);
    CopyProgram(Dir / "tulma", Dir / "stdmess0.mes", Program);
    fs::permissions(Program, fs::perms::owner_read | fs::perms::owner_exec);
    setenv("XDG_CONFIG_HOME", (Dir / "config").c_str(), 1);
    fs::create_directories(Dir / "config" / "tulma");
    WriteHotKeyFile((Dir / "config" / "tulma" / "KeyList.TUL").string(),
                    {{"&Xmark", CtrlAltK, "/bin/sh", "-c \"echo x >> " + Marker() + "\""}});

    TCommandResult Result = RunTulma(Program / "tulma", "--run Xmark");
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_EQ(Runs(), 1);

    // A file named on the command line is used in place of the default file.
    const fs::path Other = Dir / "other";
    WriteHotKeyFile((Dir / "-other.tul").string(), {{"Other", CtrlAltL, "/usr/bin/touch", Other.string()}});
    Result = RunTulma(Program / "tulma", "--run Other -- " + (Dir / "-other.tul").string());
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Other); }, 3s, 100ms));

    // A bare name, as in the manual's "tulma work", is the working directory's file.
    const fs::path Worked = Dir / "worked";
    WriteHotKeyFile((Dir / "work.tul").string(), {{"Work", CtrlAltL, "/usr/bin/touch", Worked.string()}});
    const fs::path Started = fs::current_path();
    fs::current_path(Dir);
    Result = RunTulma(Program / "tulma", "--run Work work");
    fs::current_path(Started);
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Worked); }, 3s, 100ms));

    Result = RunTulma(Program / "tulma", "--run Nothing");
    EXPECT_EQ(Result.Status, 1);
    EXPECT_NE(Result.Output.find("no hotkey is named \"Nothing\""), std::string::npos) << Result.Output;
    EXPECT_EQ(Runs(), 1);
    fs::permissions(Program, fs::perms::owner_all);
}

}  // namespace
}  // namespace tulma::test
