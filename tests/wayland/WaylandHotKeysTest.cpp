// Hotkeys through the GlobalShortcuts portal on a real KWin Wayland desktop (wayland-desktop.sh runs
// each test in a fresh one), with key presses that the compositor sees as a keyboard's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "HotKeyCommand.h"
#include "KWinDesktopWindows.h"
#include "KWinScript.h"
#include "PlatformFakes.h"
#include "PortalHotKeys.h"
#include "ShellTestSupport.h"
#include "StartedProcesses.h"
#include "WaylandTestSupport.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned Ctrl = MOD_CONTROL;
constexpr unsigned Alt = MOD_ALT;

class WaylandHotKeysTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_wayland";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication Application(Argc, Argv);
        ASSERT_TRUE(TPortalHotKeys::Available()) << "the test desktop has no GlobalShortcuts portal";
    }

    void TearDown() override {
        for (auto& Window : Shown) {
            Window->kill();
            Window->waitForFinished();
        }
    }

    // Native Wayland windows with these titles, opened in turn, each once the desktop shows it; the name
    // of the first that did not show, or empty. They end with the test.
    std::string ShowWindows(const std::vector<std::string>& Titles) {
        const fs::path Home = std::getenv("HOME");
        for (const std::string& Title : Titles) {
            const fs::path Ready = Home / Title;
            auto& Window = Shown.emplace_back(std::make_unique<QProcess>());
            Window->start(TULMA_WAYLAND_WINDOW,
                          {QString::fromStdString(Title), QString::fromStdString(Ready.string())});
            if (!WaitUntil([&] { return fs::exists(Ready); }, 20s)) {
                return Title;
            }
        }
        return {};
    }

  private:
    std::vector<std::unique_ptr<QProcess>> Shown;
};

// The registry on its own: presses, edits, removals and a held key, each followed by a press of a
// combination that does run, so that a run that should not happen would have come before it.
class PortalRegistryTest : public WaylandHotKeysTest {
  protected:
    TPortalHotKeys Keys;
    std::vector<std::uint16_t> Presses;

    void SetUp() override {
        Keys.SetPressHandler([this](std::uint16_t Id) { Presses.push_back(Id); });
    }

    bool PressUntilRun(unsigned KeyCode, std::uint16_t Id) {
        Presses.clear();
        return PressUntil(KeyCode, [&] { return !Presses.empty() && Presses.back() == Id; });
    }
};

TEST_F(PortalRegistryTest, EditedCombinationRunsInPlaceOfTheOldAndARemovedOneRunsNothing) {
    ASSERT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'K'));
    ASSERT_TRUE(Keys.RegisterHotKey(2, Ctrl | Alt, 'L'));
    ASSERT_TRUE(PressUntilRun(KCode, 1));
    EXPECT_EQ(Keys.AssignedCombination(1), std::nullopt) << "the desktop took another combination";

    Keys.UnregisterHotKey(1);
    ASSERT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'J'));
    Keys.UnregisterHotKey(2);
    ASSERT_TRUE(Keys.RegisterHotKey(3, Ctrl | Alt, 'M'));
    ASSERT_TRUE(PressUntilRun(JCode, 1));
    Presses.clear();
    ASSERT_TRUE(PressCtrlAlt(KCode));
    ASSERT_TRUE(PressCtrlAlt(LCode));
    ASSERT_TRUE(PressUntilRun(MCode, 3));
    EXPECT_EQ(Presses, std::vector<std::uint16_t>{3});
}

TEST_F(PortalRegistryTest, HeldCombinationRunsOnce) {
    ASSERT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'K'));
    ASSERT_TRUE(Keys.RegisterHotKey(2, Ctrl | Alt, 'L'));
    ASSERT_TRUE(PressUntilRun(LCode, 2));
    Presses.clear();
    ASSERT_TRUE(PressCtrlAlt(KCode, 1500));
    ASSERT_TRUE(PressUntilRun(LCode, 2));
    EXPECT_EQ(std::count(Presses.begin(), Presses.end(), 1), 1);
}

// Two hotkeys trade combinations in one edit: each takes the one that the other gave up.
TEST_F(PortalRegistryTest, HotKeysThatTradeCombinationsRunOnTheirNewOnes) {
    ASSERT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'K'));
    ASSERT_TRUE(Keys.RegisterHotKey(2, Ctrl | Alt, 'L'));
    ASSERT_TRUE(PressUntilRun(KCode, 1));

    Keys.UnregisterHotKey(1);
    Keys.UnregisterHotKey(2);
    ASSERT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'L'));
    ASSERT_TRUE(Keys.RegisterHotKey(2, Ctrl | Alt, 'K'));
    ASSERT_TRUE(PressUntilRun(KCode, 2));
    ASSERT_TRUE(PressUntilRun(LCode, 1));
}

TEST_F(PortalRegistryTest, CombinationsWithoutAKeyOrHeldTwiceAreRefused) {
    EXPECT_FALSE(Keys.RegisterHotKey(1, Ctrl, 0xFF));
    EXPECT_TRUE(Keys.RegisterHotKey(1, Ctrl | Alt, 'K'));
    EXPECT_FALSE(Keys.RegisterHotKey(2, Ctrl | Alt, 'K'));
    EXPECT_FALSE(Keys.RegisterHotKey(1, Ctrl | Alt, 'L'));
}

// The real program in the Wayland session with the portal (KDE's own shortcut service would be chosen here),
// hidden, while a native Wayland window has the focus: X11 key grabs cannot see these presses, only the
// portal can.
class WaylandProgramTest : public WaylandHotKeysTest {
  protected:
    fs::path Dir = fs::path(std::getenv("HOME")) / "tulma-test";
    TStartedProcesses Started;

    void SetUp() override { fs::create_directories(Dir); }

    QProcess& Start(const QString& Program, const QStringList& Arguments) {
        return Started.Start(Program, Arguments);
    }

    int Lines(const std::string& Name) const {
        std::ifstream File(Dir / Name);
        int Count = 0;
        for (std::string Line; std::getline(File, Line);) {
            ++Count;
        }
        return Count;
    }

    std::string File() const { return (Dir / "keys.tul").string(); }

    // A hotkey named Output on Combination that adds a line to the file Output.
    THotKeyOutline Adding(const std::string& Output, std::uint16_t Combination) const {
        return {Output, Combination, "/bin/sh", "-c \"echo >> " + (Dir / Output).string() + "\""};
    }

    // Tulma with hotkeys on Ctrl+Alt+K and Ctrl+Alt+L that add lines to files k and l, and a native
    // Wayland window with the focus after it.
    void StartTulmaBehindAWaylandWindow(bool Minimized = true) {
        WriteHotKeyFile(File(), {Adding("k", 0xC000 | 'K'), Adding("l", 0xC000 | 'L')}, Minimized);
        Start(TULMA_PROGRAM, {"--hotkeys=portal", QString::fromStdString(File())});
        FocusANewWaylandWindow();
    }

    void FocusANewWaylandWindow() {
        const fs::path Ready = Dir / ("window-ready-" + std::to_string(Started.Count()));
        Start(TULMA_WAYLAND_WINDOW, {"Wayland window", QString::fromStdString(Ready.string())});
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s)) << "the Wayland window did not show";
    }

    // Activates Tulma's main window (a native Wayland window), whose title names the file, through KWin
    // and presses its Reload button's key.
    void Reload() {
        FakeDesktopWindows X11Windows;
        TKWinDesktopWindows Windows(X11Windows);
        const std::string Title = "Tulma - " + fs::path(File()).filename().string();
        TWindowHandle Main = 0;
        ASSERT_TRUE(WaitUntil(
            [&] {
                const TWindowSnapshot Now = Windows.Snapshot();
                const auto Found = std::ranges::find(Now.Windows, Title, &TWindowInfo::Title);
                Main = Found != Now.Windows.end() ? Found->Handle : 0;
                return Main != 0;
            },
            20s))
            << Title;
        Windows.RestoreAndActivate(Main);
        ASSERT_TRUE(WaitUntil([&] { return Windows.Snapshot().Active == Main; }, 20s)) << Title;
        ASSERT_TRUE(PressKeys({AltCode, RCode}));
    }
};

TEST_F(WaylandProgramTest, PressWhileAWaylandWindowHasTheFocusRunsTheHotKeyOncePerPress) {
    StartTulmaBehindAWaylandWindow();
    ASSERT_TRUE(PressUntil(KCode, [&] { return Lines("k") > 0; }));
    const int Runs = Lines("k");
    ASSERT_TRUE(PressCtrlAlt(KCode, 1500));
    ASSERT_TRUE(PressUntil(LCode, [&] { return Lines("l") > 0; }));
    EXPECT_EQ(Lines("k"), Runs + 1);
}

// Run-or-raise of a native Wayland window, which only KWin can list: a command whose window text
// names it, in other letter case, restores and activates it instead of starting its program.
TEST_F(WaylandHotKeysTest, KWinSearchRestoresAndActivatesANativeWindowFoundByTitleText) {
    ASSERT_TRUE(TKWinScript::Available());
    const fs::path Ready = fs::path(std::getenv("HOME")) / "editor-ready";
    QProcess Window;
    Window.start(TULMA_WAYLAND_WINDOW,
                 {"--minimize", "Notes - Unique Editor", QString::fromStdString(Ready.string())});
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s))
        << "the Wayland window did not show and minimise";

    FakeDesktopWindows X11Windows;
    TKWinDesktopWindows Windows(X11Windows);
    FakeLauncher Launch;
    THotKeyCommand Command;
    Command.Exec = "editor";
    Command.LookForWindow = "unique EDITOR";
    Command.ExecuteCommand(Windows, Launch);
    EXPECT_TRUE(Launch.Started.empty());
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Ready.string() + ".activated"); }, 20s));
    Window.kill();
    Window.waitForFinished();
}

// The search takes the first match from the top: activating a window brings it above the others.
TEST_F(WaylandHotKeysTest, KWinSearchListsNativeWindowsTopmostFirst) {
    ASSERT_EQ(ShowWindows({"Editor One", "Editor Two"}), "") << "did not show";
    FakeDesktopWindows X11Windows;
    TKWinDesktopWindows Windows(X11Windows);
    const auto Titles = [&] {
        std::vector<std::string> Result;
        for (const TWindowHandle Window : Windows.TopLevelWindows()) {
            Result.push_back(Windows.WindowTitle(Window));
        }
        return Result;
    };
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Editor Two", "Editor One"}));
    Windows.RestoreAndActivate(Windows.TopLevelWindows().at(1));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Editor One", "Editor Two"}));
}

// Cycling through native windows goes as on X11: from another window, the topmost match, then the others
// from the lowest up, each once, then round again.
TEST_F(WaylandHotKeysTest, KWinCycleVisitsEveryNativeMatchOnceAndComesRound) {
    ASSERT_EQ(ShowWindows({"Editor One", "Editor Two", "Editor Three", "Other"}), "") << "did not show";
    FakeDesktopWindows X11Windows;
    TKWinDesktopWindows Windows(X11Windows);
    const auto ActiveTitle = [&] { return Windows.WindowTitle(Windows.Snapshot().Active); };
    ASSERT_TRUE(WaitUntil([&] { return ActiveTitle() == "Other"; }, 20s));
    FakeLauncher Launch;
    THotKeyCommand Command;
    Command.LookForWindow = "editor";
    std::vector<std::string> Activated;
    for (int Press = 0; Press < 4; ++Press) {
        const std::string Before = ActiveTitle();
        Command.ExecuteCommand(Windows, Launch);
        EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() != Before; }, 20s)) << "press " << Press + 1;
        Activated.push_back(ActiveTitle());
    }
    EXPECT_EQ(Activated,
              (std::vector<std::string>{"Editor Three", "Editor One", "Editor Two", "Editor Three"}));
    EXPECT_TRUE(Launch.Started.empty());
}

// The command-line entries choose their backends as the program does: both see a native Wayland window,
// which only KWin lists, without a running Tulma.
TEST_F(WaylandProgramTest, ListWindowsAndRunSeeANativeWindow) {
    const fs::path Ready = Dir / "notes-ready";
    Start(TULMA_WAYLAND_WINDOW,
          {"--minimize", "Notes - Unique Editor", QString::fromStdString(Ready.string())});
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s)) << "the Wayland window did not show";

    QProcess List;
    List.start(TULMA_PROGRAM, {"--list-windows", "unique editor"});
    ASSERT_TRUE(List.waitForFinished(30000));
    EXPECT_EQ(List.exitCode(), 0) << List.readAllStandardError().toStdString();
    EXPECT_TRUE(List.readAllStandardOutput().contains("Notes - Unique Editor"));

    WriteHotKeyFile(File(), {{"Editor", 0xC000 | 'E', "/bin/sh",
                              "-c \"echo >> " + (Dir / "started").string() + "\"", "unique EDITOR"}});
    QProcess Run;
    Run.start(TULMA_PROGRAM, {"--run", "Editor", QString::fromStdString(File())});
    ASSERT_TRUE(Run.waitForFinished(30000));
    EXPECT_EQ(Run.exitCode(), 0) << Run.readAllStandardError().toStdString();
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Ready.string() + ".activated"); }, 20s));
    EXPECT_EQ(Lines("started"), 0);
}

// A session's end (SIGTERM) quits the program normally, which closes its portal session: the desktop
// keeps no shortcuts of a program that is gone.
TEST_F(WaylandProgramTest, SessionEndClosesThePortalSession) {
    QProcess Monitor;
    Monitor.start("dbus-monitor", {"--session",
                                   "type='method_call',interface='org.freedesktop.portal.Session',"
                                   "member='Close'"});
    ASSERT_TRUE(Monitor.waitForStarted(10000));
    QByteArray Seen;
    const auto Closes = [&] {
        Seen += Monitor.readAllStandardOutput();
        return Seen.count("member=Close");
    };
    StartTulmaBehindAWaylandWindow();
    ASSERT_TRUE(PressUntil(KCode, [&] { return Lines("k") > 0; }));
    const auto Before = Closes();
    QProcess& Tulma = Started.First();
    Tulma.terminate();
    ASSERT_TRUE(Tulma.waitForFinished(10000));
    EXPECT_EQ(Tulma.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Tulma.exitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return Closes() > Before; }, 20s));
    Monitor.kill();
    Monitor.waitForFinished();
}

// The file changed under the running program and reloaded: its hotkey k now on Ctrl+Alt+J, l gone.
TEST_F(WaylandProgramTest, ReloadedFileRunsTheNewCombinationAndNeitherTheOldNorADeletedOne) {
    StartTulmaBehindAWaylandWindow(false);
    ASSERT_TRUE(PressUntil(KCode, [&] { return Lines("k") > 0; }));
    ASSERT_TRUE(PressUntil(LCode, [&] { return Lines("l") > 0; }));
    WriteHotKeyFile(File(), {Adding("k", 0xC000 | 'J')});
    const int Runs = Lines("k");
    // On a loaded machine the activation can miss, and Alt+R with it: Reload is tried again.
    bool Reloaded = false;
    for (int Attempt = 0; Attempt < 3 && !Reloaded; ++Attempt) {
        Reload();
        FocusANewWaylandWindow();
        Reloaded = PressUntil(JCode, [&] { return Lines("k") > Runs; });
    }
    ASSERT_TRUE(Reloaded);
    ASSERT_TRUE(PressCtrlAlt(KCode));
    ASSERT_TRUE(PressCtrlAlt(LCode));
    const int AfterJ = Lines("k");
    ASSERT_TRUE(PressUntil(JCode, [&] { return Lines("k") > AfterJ; }));
    EXPECT_EQ(Lines("k"), AfterJ + 1);
    EXPECT_EQ(Lines("l"), 1);
}

}  // namespace
}  // namespace tulma::test
