// Hotkeys, windows and the real program on a headless sway (sway-session.sh runs the whole program in
// one session), with key presses from wtype's virtual keyboard while a native Wayland window has the
// focus: X11 grabs could not see them. A connection of the test's own hears sway's binding events, so
// that a binding left behind is seen even when it runs nothing.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QProcess>

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "EventLoopWait.h"
#include "HotKeyCommand.h"
#include "PlatformFakes.h"
#include "ShellTestSupport.h"
#include "StartedProcesses.h"
#include "SwayConnection.h"
#include "SwayDesktopWindows.h"
#include "SwayHotKeys.h"
#include "TestFiles.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr unsigned CtrlAlt = MOD_CONTROL | MOD_ALT;
const fs::path Shared = std::getenv("TULMA_SWAY_SHARED") != nullptr ? std::getenv("TULMA_SWAY_SHARED") : "";

// Ctrl+Alt+Key on the virtual keyboard.
void PressCtrlAlt(char Key) {
    const std::string Command = std::string("wtype -M ctrl -M alt ") + Key + " -m alt -m ctrl";
    ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
}

class SwaySessionTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_sway";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication Application(Argc, Argv);
        ASSERT_TRUE(TSwayConnection::Prove().Works) << TSwayConnection::Prove().Reason;
    }

    fs::path Dir = Shared / testing::UnitTest::GetInstance()->current_test_info()->name();
    TSwayConnection Listener{TSwayConnection::SessionSocketPath()};
    // The commands of the bindings that ran, in order.
    std::vector<std::string> Ran;
    TStartedProcesses Started;

    void SetUp() override {
        fs::create_directories(Dir);
        Hear(Listener);
        Listener.Listen({"binding"});
    }

    void Hear(TSwayConnection& Connection) {
        QObject::connect(
            &Connection, &TSwayConnection::Event, [this](std::uint32_t, const QJsonObject& Body) {
                Ran.push_back(Body.value("binding").toObject().value("command").toString().toStdString());
            });
    }

    QProcess& Start(const QString& Program, const QStringList& Arguments) {
        return Started.Start(Program, Arguments);
    }

    // Tulma runs without a window system of its own: the hotkeys and the windows are sway's.
    static QProcessEnvironment Offscreen() {
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        Environment.insert("QT_QPA_PLATFORM", "offscreen");
        return Environment;
    }

    // A native Wayland window titled Title, once sway shows it (and gives it the focus).
    void ShowWindow(const std::string& Title) {
        const fs::path Ready = Dir / ("ready-" + std::to_string(Started.Count()));
        Start(TULMA_WAYLAND_WINDOW, {QString::fromStdString(Title), QString::fromStdString(Ready.string())});
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s))
            << "the window " << Title << " did not show";
    }

    // A hotkey named Output on Ctrl+Alt+Key that adds a line to the file Output.
    THotKeyOutline Adding(const std::string& Output, char Key) const {
        return {Output, static_cast<std::uint16_t>(0xC000 | Key), "/bin/sh",
                "-c \"echo >> " + (Dir / Output).string() + "\""};
    }

    // The real program on a file of these hotkeys, without a display of its own, behind a native window.
    QProcess& StartTulma(const std::vector<THotKeyOutline>& HotKeys) {
        const std::string File = (Dir / ("keys-" + std::to_string(Started.Count()) + ".tul")).string();
        WriteHotKeyFile(File, HotKeys, true);
        QProcess& Tulma = Started.Start(TULMA_PROGRAM, {QString::fromStdString(File)}, Offscreen());
        ShowWindow("Focused window");
        return Tulma;
    }

    // Presses Ctrl+Alt+Key until Done holds: a program binds its keys some time after it starts.
    template <class TCondition>
    bool PressUntil(char Key, TCondition Done) {
        for (int Attempt = 0; Attempt < 40 && !Done(); ++Attempt) {
            PressCtrlAlt(Key);
            WaitUntil(Done, 1s);
        }
        return Done();
    }

    // Whether a press of Ctrl+Alt+Key runs a binding of some Tulma: the press is followed by one of the
    // user's binding, which sway serves in order, so that a binding of Key would have been heard first.
    // Until sway has served every earlier press, and the programs they started have had time to write.
    void Settle() {
        Ran.clear();
        PressCtrlAlt('u');
        EXPECT_TRUE(WaitUntil([&] { return !Ran.empty() && Ran.back().starts_with("exec touch"); }, 20s));
        WaitUntil([] { return false; }, 1s);
    }

    bool TulmaBinds(char Key) {
        const auto UsersBindingHeard = [&] { return !Ran.empty() && Ran.back().starts_with("exec touch"); };
        Settle();
        Ran.clear();
        PressCtrlAlt(Key);
        PressCtrlAlt('u');
        EXPECT_TRUE(WaitUntil(UsersBindingHeard, 20s));
        return Ran.size() > 1 && Ran.front().starts_with("nop tulma:");
    }
};

// The program runs its hotkey once per press, and still after sway reloaded its configuration (which
// drops run-time bindings); the combination of the user's own binding stays the user's, and that of the
// running program its own.
TEST_F(SwaySessionTest, ProgramRunsItsHotKeyOncePerPressAlsoAfterAReloadAndLeavesTheUsersBindingAlone) {
    StartTulma({Adding("k", 'K'), Adding("u", 'U')});
    ASSERT_TRUE(PressUntil('k', [&] { return LineCount(Dir / "k") > 0; }));
    Settle();
    const int Runs = LineCount(Dir / "k");
    PressCtrlAlt('k');
    Settle();
    EXPECT_EQ(LineCount(Dir / "k"), Runs + 1);

    TSwayConnection Commands(TSwayConnection::SessionSocketPath());
    Commands.Ask(SwayIpc::RunCommand, "reload");
    const int BeforeReload = LineCount(Dir / "k");
    ASSERT_TRUE(PressUntil('k', [&] { return LineCount(Dir / "k") > BeforeReload; }));

    fs::remove(Shared / "user-binding");
    PressCtrlAlt('u');
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Shared / "user-binding"); }, 20s));
    EXPECT_FALSE(fs::exists(Dir / "u"));

    // A second Tulma in the session does not take the combination from the first.
    TSwayHotKeys Second(TSwayConnection::SessionSocketPath());
    EXPECT_FALSE(Second.RegisterHotKey(1, CtrlAlt, 'K'));
    EXPECT_NE(Second.RefusalReason(1).find("another Tulma"), std::string::npos) << Second.RefusalReason(1);
}

// An edited combination runs in place of the old one, which sway no longer binds; a combination of the
// user's configuration is refused, saying so; so is one held twice.
TEST_F(SwaySessionTest, EditedCombinationRunsInPlaceOfTheOldAndConfiguredOnesAreRefused) {
    TSwayHotKeys Keys(TSwayConnection::SessionSocketPath());
    std::vector<std::uint16_t> Presses;
    Keys.SetPressHandler([&](std::uint16_t Id) { Presses.push_back(Id); });
    ASSERT_TRUE(Keys.RegisterHotKey(1, CtrlAlt, 'K'));
    ShowWindow("Focused window");
    ASSERT_TRUE(PressUntil('k', [&] { return !Presses.empty(); }));
    Settle();
    Presses.clear();
    Keys.UnregisterHotKey(1);
    ASSERT_TRUE(Keys.RegisterHotKey(1, CtrlAlt, 'J'));
    EXPECT_FALSE(TulmaBinds('k'));
    ASSERT_TRUE(PressUntil('j', [&] { return !Presses.empty(); }));
    EXPECT_EQ(Presses, std::vector<std::uint16_t>{1});

    EXPECT_FALSE(Keys.RegisterHotKey(2, CtrlAlt, 'U'));
    EXPECT_NE(Keys.RefusalReason(2).find("your sway configuration"), std::string::npos)
        << Keys.RefusalReason(2);
    EXPECT_FALSE(Keys.RegisterHotKey(3, CtrlAlt, 'J'));
    EXPECT_TRUE(Keys.RegisterHotKey(3, CtrlAlt | MOD_SHIFT, 'J'));
}

// SIGTERM ends the program through its way out, which takes its bindings back.
TEST_F(SwaySessionTest, TerminatedProgramLeavesNoBinding) {
    QProcess& Tulma = StartTulma({Adding("k", 'K')});
    ASSERT_TRUE(PressUntil('k', [&] { return LineCount(Dir / "k") > 0; }));
    kill(static_cast<pid_t>(Tulma.processId()), SIGTERM);
    ASSERT_TRUE(Tulma.waitForFinished(10000));
    EXPECT_EQ(Tulma.exitStatus(), QProcess::NormalExit);
    EXPECT_FALSE(TulmaBinds('k'));
}

// A killed program leaves its bindings behind, swallowing their keys: the next start takes them back.
TEST_F(SwaySessionTest, NextStartClearsTheBindingsOfAKilledProgram) {
    QProcess& Killed = StartTulma({Adding("k", 'K')});
    ASSERT_TRUE(PressUntil('k', [&] { return LineCount(Dir / "k") > 0; }));
    Killed.kill();
    ASSERT_TRUE(Killed.waitForFinished(10000));
    ASSERT_TRUE(TulmaBinds('k')) << "the killed program's binding went with it";
    StartTulma({Adding("l", 'L')});
    ASSERT_TRUE(PressUntil('l', [&] { return LineCount(Dir / "l") > 0; }));
    EXPECT_FALSE(TulmaBinds('k'));
}

// Run-or-raise among native windows by title text and by class (the app id): from another window the
// topmost match, then the others from the lowest up, each once, then round again; an X11 window by its
// WM_CLASS; nothing is started.
TEST_F(SwaySessionTest, TitleAndClassRaiseAndCycleNativeWindowsAndClassFindsX11Ones) {
    for (const char* Title : {"Editor One", "Editor Two", "Editor Three", "Other"}) {
        ShowWindow(Title);
    }
    TSwayDesktopWindows Windows(TSwayConnection::SessionSocketPath());
    const auto ActiveTitle = [&] { return Windows.WindowTitle(Windows.Snapshot().Active); };
    ASSERT_EQ(ActiveTitle(), "Other");
    FakeLauncher Launch;
    THotKeyCommand Command;
    Command.LookForWindow = "EDITOR";
    std::vector<std::string> Activated;
    for (int Press = 0; Press < 4; ++Press) {
        Command.ExecuteCommand(Windows, Launch);
        Activated.push_back(ActiveTitle());
    }
    EXPECT_EQ(Activated,
              (std::vector<std::string>{"Editor Three", "Editor One", "Editor Two", "Editor Three"}));

    THotKeyCommand ByClass;
    ByClass.LookForWindow = "class:tulma_wayland_window";
    std::set<std::string> Visited;
    for (int Press = 0; Press < 4; ++Press) {
        ByClass.ExecuteCommand(Windows, Launch);
        Visited.insert(ActiveTitle());
    }
    EXPECT_EQ(Visited, (std::set<std::string>{"Editor One", "Editor Two", "Editor Three", "Other"}));

    // An X11 program's class is its WM_CLASS. sway's XWayland admits sway's user only: sway starts it.
    TSwayConnection(TSwayConnection::SessionSocketPath())
        .Ask(SwayIpc::RunCommand, "exec " TULMA_TEST_WINDOW " Terminal --class xterm XTerm");
    const auto XTermShown = [&] {
        const auto Listed = Windows.Snapshot().Windows;
        return std::any_of(Listed.begin(), Listed.end(),
                           [](const TWindowInfo& Window) { return Window.Class == "XTerm"; });
    };
    ASSERT_TRUE(WaitUntil(XTermShown, 20s)) << "the X11 window did not show";
    Windows.RestoreAndActivate(Windows.TopLevelWindows().back());
    THotKeyCommand ByX11Class;
    ByX11Class.LookForWindow = "class:xterm";
    ByX11Class.ExecuteCommand(Windows, Launch);
    EXPECT_EQ(ActiveTitle(), "Terminal");
    EXPECT_TRUE(Launch.Started.empty());

    QProcess List;
    List.setProcessEnvironment(Offscreen());
    List.start(TULMA_PROGRAM, {"--list-windows", "editor"});
    ASSERT_TRUE(List.waitForFinished(10000));
    EXPECT_EQ(List.readAllStandardOutput().count('\n'), 3) << List.readAllStandardError().toStdString();
}

}  // namespace
}  // namespace tulma::test
