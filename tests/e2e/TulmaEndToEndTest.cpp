#include <gtest/gtest.h>
#include <sys/wait.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ClassRegistration.h"
#include "ShellTestSupport.h"
#include "XServerFixture.h"

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t KeyControl = 0xffe3;
constexpr std::uint32_t KeyAlt = 0xffe9;
constexpr std::uint32_t KeyD = 'd';
constexpr std::uint32_t KeyK = 'k';
constexpr std::uint32_t KeyL = 'l';
constexpr std::uint32_t KeyReturn = 0xff0d;
constexpr std::uint32_t KeyX = 'x';
constexpr std::uint32_t KeyY = 'y';
// Ctrl+Alt+K as a hotkey file stores it.
constexpr std::uint16_t CtrlAltK = 0xC000 | 'K';
constexpr std::uint16_t CtrlAltL = 0xC000 | 'L';

void Pause(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

template <class TCondition>
bool Eventually(TCondition Condition, int TimeoutMs = 10000) {
    for (int Waited = 0; Waited < TimeoutMs; Waited += 100) {
        if (Condition()) {
            return true;
        }
        Pause(100);
    }
    return Condition();
}

struct TPoint {
    int X = 0;
    int Y = 0;
};

class TulmaEndToEndTest : public testing::Test {
  protected:
    XServerFixture Display;
    fs::path Dir;
    std::vector<pid_t> Started;
    std::unique_ptr<FakeKeyboard> Keyboard;

    static void SetUpTestSuite() { RegisterAllClasses(); }

    void SetUp() override {
        if (!XServerFixture::XvfbInstalled()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        Display.Start(true);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        Keyboard = std::make_unique<FakeKeyboard>(Display.Connection());
        std::string Pattern = (fs::temp_directory_path() / "tulma-e2e-XXXXXX").string();
        Dir = mkdtemp(Pattern.data());
        // The program looks for its message file and default hotkey file beside itself.
        fs::copy_file(TULMA_PROGRAM, Dir / "tulma");
        fs::copy_file(TULMA_MESSAGE_FILE, Dir / "stdmess0.mes");
        StartTray();
    }

    void TearDown() override {
        for (auto Pid = Started.rbegin(); Pid != Started.rend(); ++Pid) {
            Terminate(*Pid);
        }
        Keyboard.reset();
        Display.Stop();
        std::error_code Ignored;
        fs::remove_all(Dir, Ignored);
    }

    void StartTray() {
        Started.push_back(Spawn({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                 "--width", "120", "--height", "24", "--SetDockType", "false"}));
        ASSERT_TRUE(Eventually([this] { return TrayOwner() != XCB_WINDOW_NONE; }))
            << "trayer did not come up";
    }

    xcb_window_t TrayOwner() {
        xcb_connection_t* Connection = Display.Connection();
        const xcb_atom_t Selection = InternAtom(Connection, "_NET_SYSTEM_TRAY_S0");
        auto* Reply = xcb_get_selection_owner_reply(Connection,
                                                    xcb_get_selection_owner(Connection, Selection), nullptr);
        const xcb_window_t Owner = Reply != nullptr ? Reply->owner : xcb_window_t{XCB_WINDOW_NONE};
        std::free(Reply);
        return Owner;
    }

    // A hotkey file in the test directory whose hotkey "&Xmark" on Ctrl+Alt+K adds a line to the marker.
    std::string MarkerHotKeyFile(bool Minimize = false) {
        const std::string FileName = (Dir / "keys.tul").string();
        WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh", "-c 'echo x >> " + Marker() + "'"}},
                        Minimize);
        return FileName;
    }

    std::string Marker() const { return (Dir / "marker").string(); }

    int Runs() const {
        std::ifstream File(Marker());
        int Lines = 0;
        for (std::string Line; std::getline(File, Line);) {
            ++Lines;
        }
        return Lines;
    }

    pid_t StartTulma(const std::string& FileName) {
        const pid_t Pid = Spawn({(Dir / "tulma").string(), FileName});
        Started.push_back(Pid);
        return Pid;
    }

    xcb_window_t MainWindow(pid_t Pid) {
        xcb_window_t Window = XCB_WINDOW_NONE;
        Eventually([&] { return (Window = WindowOfPid(Display.Connection(), Pid)) != XCB_WINDOW_NONE; });
        return Window;
    }

    bool Viewable(xcb_window_t Window) {
        auto* Reply = xcb_get_window_attributes_reply(
            Display.Connection(), xcb_get_window_attributes(Display.Connection(), Window), nullptr);
        const bool Result = Reply != nullptr && Reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(Reply);
        return Result;
    }

    void PressCtrlAltK() {
        Keyboard->Chord({KeyControl, KeyAlt, KeyK});
        xcb_flush(Display.Connection());
    }

    // Presses the combination until the program has registered it and run the hotkey once.
    bool PressUntilRun() {
        const int Before = Runs();
        for (int Attempt = 0; Attempt < 50; ++Attempt) {
            PressCtrlAltK();
            if (Eventually([&] { return Runs() > Before; }, 300)) {
                Pause(300);
                return true;
            }
        }
        return false;
    }

    // A press, then time for the hotkey to run if it is going to.
    int RunsAfterPress() {
        PressCtrlAltK();
        Pause(1500);
        return Runs();
    }

    std::vector<xcb_window_t> Children(xcb_window_t Window) {
        auto* Reply =
            xcb_query_tree_reply(Display.Connection(), xcb_query_tree(Display.Connection(), Window), nullptr);
        std::vector<xcb_window_t> Result;
        if (Reply != nullptr) {
            const xcb_window_t* First = xcb_query_tree_children(Reply);
            Result.assign(First, First + xcb_query_tree_children_length(Reply));
            std::free(Reply);
        }
        return Result;
    }

    std::string ClassOf(xcb_window_t Window) {
        auto* Reply = xcb_get_property_reply(
            Display.Connection(),
            xcb_get_property(Display.Connection(), 0, Window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64),
            nullptr);
        std::string Result;
        if (Reply != nullptr) {
            Result.assign(static_cast<const char*>(xcb_get_property_value(Reply)),
                          xcb_get_property_value_length(Reply));
            std::free(Reply);
        }
        return Result.substr(0, Result.find('\0'));
    }

    // The centres of the program's icons that the tray holds.
    std::vector<TPoint> TrayIcons() {
        std::vector<TPoint> Icons;
        std::vector<std::pair<xcb_window_t, bool>> Pending{{Display.Root(), false}};
        while (!Pending.empty()) {
            const auto [Window, InTray] = Pending.back();
            Pending.pop_back();
            const std::string Class = ClassOf(Window);
            if (InTray && Class == "tulma" && Viewable(Window)) {
                Icons.push_back(CentreOf(Window));
            }
            for (const xcb_window_t Child : Children(Window)) {
                Pending.emplace_back(Child, InTray || Class == "panel" || Class == "trayer");
            }
        }
        return Icons;
    }

    TPoint CentreOf(xcb_window_t Window) {
        xcb_connection_t* Connection = Display.Connection();
        auto* Geometry = xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, Window), nullptr);
        auto* Origin = xcb_translate_coordinates_reply(
            Connection, xcb_translate_coordinates(Connection, Window, Display.Root(), 0, 0), nullptr);
        TPoint Centre;
        if (Geometry != nullptr && Origin != nullptr) {
            Centre = {Origin->dst_x + Geometry->width / 2, Origin->dst_y + Geometry->height / 2};
        }
        std::free(Geometry);
        std::free(Origin);
        return Centre;
    }

    void Click(TPoint Where) {
        xcb_connection_t* Connection = Display.Connection();
        xcb_test_fake_input(Connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, Display.Root(),
                            static_cast<int16_t>(Where.X), static_cast<int16_t>(Where.Y), 0);
        xcb_test_fake_input(Connection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
        xcb_test_fake_input(Connection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
        xcb_flush(Connection);
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
        const std::string Command = Program.string() + " " + Arguments + " >" + Output.string() + " 2>&1";
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

TEST_F(TulmaEndToEndTest, UnreadableCommandLineFileIsReportedAndTheDefaultHotKeysStay) {
    WriteHotKeyFile((Dir / "KeyList.TUL").string(),
                    {{"&Xmark", CtrlAltK, "/bin/sh", "-c 'echo x >> " + Marker() + "'"}});
    std::ofstream((Dir / "damaged.tul").string()) << "not a hotkey file";
    const pid_t Tulma = StartTulma("damaged");
    const xcb_window_t ErrorBox = MainWindow(Tulma);
    ASSERT_NE(ErrorBox, XCB_WINDOW_NONE);
    // Start-up waits at the error box: nothing is registered yet.
    EXPECT_EQ(RunsAfterPress(), 0);
    Xdotool("windowactivate --sync " + std::to_string(ErrorBox));
    Keyboard->Tap(KeyReturn);
    xcb_flush(Display.Connection());
    EXPECT_TRUE(PressUntilRun());
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
    ASSERT_TRUE(Eventually([this] { return TrayIcons().size() == 1; }));
    EXPECT_TRUE(Eventually([&] { return !Viewable(Window); }));

    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(Eventually([this] { return Runs() == 2; }, 3000));
}

TEST_F(TulmaEndToEndTest, MinimizeFlagStartsWithOnlyTheTrayIcon) {
    const pid_t Tulma = StartTulma(MarkerHotKeyFile(true));
    ASSERT_TRUE(Eventually([this] { return TrayIcons().size() == 1; }));
    ASSERT_TRUE(PressUntilRun());
    const xcb_window_t Window = WindowOfPid(Display.Connection(), Tulma);
    EXPECT_TRUE(Window == XCB_WINDOW_NONE || !Viewable(Window));

    // A double click on the icon brings the window back and takes the icon away.
    const TPoint Icon = TrayIcons()[0];
    Click(Icon);
    Pause(80);
    Click(Icon);
    EXPECT_TRUE(Eventually([&] {
        const xcb_window_t Shown = WindowOfPid(Display.Connection(), Tulma);
        return Shown != XCB_WINDOW_NONE && Viewable(Shown);
    }));
    EXPECT_TRUE(Eventually([this] { return TrayIcons().empty(); }));
}

TEST_F(TulmaEndToEndTest, DeletedHotKeyNoLongerRuns) {
    // A second hotkey, listed after "&Xmark", shows that presses still reach the program.
    const std::string FileName = (Dir / "keys.tul").string();
    const std::string Other = (Dir / "other").string();
    WriteHotKeyFile(FileName, {{"&Xmark", CtrlAltK, "/bin/sh", "-c 'echo x >> " + Marker() + "'"},
                               {"Zother", CtrlAltL, "/usr/bin/touch", Other}});
    const pid_t Tulma = StartTulma(FileName);
    const xcb_window_t Window = MainWindow(Tulma);
    ASSERT_NE(Window, XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());

    Xdotool("windowactivate --sync " + std::to_string(Window));
    ClickInWindow(Window, 40, 57);  // the list's first line
    Pause(300);
    Keyboard->Chord({KeyAlt, KeyD});
    xcb_flush(Display.Connection());
    Pause(1000);
    Keyboard->Tap(KeyY);  // "Yes" to the question whether to delete
    xcb_flush(Display.Connection());
    Pause(1000);

    EXPECT_EQ(RunsAfterPress(), 1);
    Keyboard->Chord({KeyControl, KeyAlt, KeyL});
    xcb_flush(Display.Connection());
    EXPECT_TRUE(Eventually([&] { return fs::exists(Other); }, 3000));
}

TEST_F(TulmaEndToEndTest, SecondCopyIsRefusedTheCombinationButItsTrayMenuRunsTheHotKey) {
    const std::string FileName = MarkerHotKeyFile();
    const pid_t First = StartTulma(FileName);
    ASSERT_NE(MainWindow(First), XCB_WINDOW_NONE);
    ASSERT_TRUE(PressUntilRun());

    const pid_t Second = StartTulma(FileName);
    const xcb_window_t SecondWindow = MainWindow(Second);
    ASSERT_NE(SecondWindow, XCB_WINDOW_NONE);
    Pause(1000);
    // Only the first copy holds the combination.
    EXPECT_EQ(RunsAfterPress(), 2);

    Xdotool("windowminimize " + std::to_string(SecondWindow));
    ASSERT_TRUE(Eventually([this] { return TrayIcons().size() == 1; }));
    ChooseXmarkInTrayMenu(TrayIcons()[0]);
    EXPECT_TRUE(Eventually([this] { return Runs() == 3; }, 3000));
    EXPECT_EQ(RunsAfterPress(), 4);
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
    EXPECT_TRUE(Eventually([&] { return Runs() == Before + 1; }, 3000));
    Result = RunTulma(Dir / "tulma", "--run '&Xmark'");
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(Eventually([&] { return Runs() == Before + 2; }, 3000));

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
    fs::copy_file(Dir / "tulma", Program / "tulma");
    fs::copy_file(Dir / "stdmess0.mes", Program / "stdmess0.mes");
    fs::permissions(Program, fs::perms::owner_read | fs::perms::owner_exec);
    setenv("XDG_CONFIG_HOME", (Dir / "config").c_str(), 1);
    fs::create_directories(Dir / "config" / "tulma");
    WriteHotKeyFile((Dir / "config" / "tulma" / "KeyList.TUL").string(),
                    {{"&Xmark", CtrlAltK, "/bin/sh", "-c 'echo x >> " + Marker() + "'"}});

    TCommandResult Result = RunTulma(Program / "tulma", "--run Xmark");
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_EQ(Runs(), 1);

    // A file named on the command line is used in place of the default file.
    const fs::path Other = Dir / "other";
    WriteHotKeyFile((Dir / "-other.tul").string(), {{"Other", CtrlAltL, "/usr/bin/touch", Other.string()}});
    Result = RunTulma(Program / "tulma", "--run Other -- " + (Dir / "-other.tul").string());
    EXPECT_EQ(Result.Status, 0) << Result.Output;
    EXPECT_TRUE(Eventually([&] { return fs::exists(Other); }, 3000));

    Result = RunTulma(Program / "tulma", "--run Nothing");
    EXPECT_EQ(Result.Status, 1);
    EXPECT_NE(Result.Output.find("no hotkey is named \"Nothing\""), std::string::npos) << Result.Output;
    EXPECT_EQ(Runs(), 1);
    fs::permissions(Program, fs::perms::owner_all);
}

}  // namespace
}  // namespace tulma::test
