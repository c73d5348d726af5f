#include <QCoreApplication>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <thread>

#include "ChildProcesses.h"
#include "ProbeRecord.h"
#include "QtX11.h"
#include "TempDir.h"
#include "X11Launcher.h"
#include "XDisplayTest.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

class X11LauncherTest : public XDisplayTest {
  protected:
    std::unique_ptr<TX11Launcher> Launcher;
    TempDir Dir;
    std::string ProbeOutput;
    std::vector<pid_t> StartedPids;

    void SetUp() override {
        XDisplayTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        Launcher = std::make_unique<TX11Launcher>(QtX11Connection());
        ProbeOutput = Dir.File("probe");
        setenv("TULMA_PROBE_FILE", ProbeOutput.c_str(), 1);
    }
    void TearDown() override {
        for (pid_t Pid : StartedPids) {
            Terminate(Pid);
        }
        // Test windows started through the launcher are not our children; end them by their windows.
        for (xcb_window_t Window : Launched) {
            const auto Pid = WindowProperty(X(), Window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
            if (!Pid.empty()) {
                kill(static_cast<pid_t>(Pid[0]), SIGTERM);
            }
        }
    }

    bool Probe(ProbeRecord* Record) {
        return WaitUntil([&] { return ProbeRecord::Read(ProbeOutput, Record); }, 5s);
    }

    // An ordinary window that has the focus before a launch.
    xcb_window_t FocusedWindow() {
        const pid_t Pid = StartProgram({TULMA_TEST_WINDOW, "Previously active"});
        StartedPids.push_back(Pid);
        xcb_window_t Window = XCB_WINDOW_NONE;
        EXPECT_TRUE(WaitUntil([&] { return (Window = WindowOfPid(X(), Pid)) != XCB_WINDOW_NONE; }, 5s));
        xcb_client_message_event_t Event{};
        Event.response_type = XCB_CLIENT_MESSAGE;
        Event.format = 32;
        Event.window = Window;
        Event.type = InternAtom(X(), "_NET_ACTIVE_WINDOW");
        Event.data.data32[0] = 2;
        xcb_send_event(X(), 0, Root(),
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&Event));
        xcb_flush(X());
        EXPECT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Window; }, 5s));
        return Window;
    }

    // Starts the test window with a show command and waits until the launcher has dealt with it.
    xcb_window_t LaunchWindow(const std::string& Title, TShowCommand Show) {
        if (!Launcher->Launch(TULMA_TEST_WINDOW, '"' + Title + '"', "", Show).Started) {
            return XCB_WINDOW_NONE;
        }
        WaitUntil([&] { return Launcher->Idle(); }, 15s);
        return WindowTitled(Title);
    }

    // The window manager's client with this title, remembered for the tear-down.
    xcb_window_t WindowTitled(const std::string& Title) {
        for (std::uint32_t Candidate : WindowProperty(X(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
            const auto Id = static_cast<xcb_window_t>(Candidate);
            xcb_get_property_reply_t* Reply = xcb_get_property_reply(
                X(), xcb_get_property(X(), 0, Id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 64), nullptr);
            const std::string Name =
                Reply != nullptr ? std::string(static_cast<const char*>(xcb_get_property_value(Reply)),
                                               xcb_get_property_value_length(Reply))
                                 : "";
            std::free(Reply);
            if (Name == Title) {
                Launched.insert(Id);
                return Id;
            }
        }
        return XCB_WINDOW_NONE;
    }

    std::set<xcb_window_t> Launched;
};

TEST_F(X11LauncherTest, ProgramReceivesExactArgvAndWorkingDirectory) {
    ASSERT_TRUE(Launcher
                    ->Launch(TULMA_ARGV_PROBE,
                             R"(plain "two words" Don't C:\dir\x.txt "say \"hi\"" "" $HOME *)",
                             Dir.Path().string(), TShowCommand::ShowNormal)
                    .Started);
    ProbeRecord Record;
    ASSERT_TRUE(Probe(&Record));
    EXPECT_EQ(Record.Directory, Dir.Path().string());
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{TULMA_ARGV_PROBE, "plain", "two words", "Don't",
                                                     R"(C:\dir\x.txt)", "say \"hi\"", "", "$HOME", "*"}));
}

TEST_F(X11LauncherTest, ProgramNameIsFoundOnPath) {
    const std::string ProbeDir =
        std::string(TULMA_ARGV_PROBE).substr(0, std::string(TULMA_ARGV_PROBE).rfind('/'));
    const std::string OldPath = std::getenv("PATH");
    setenv("PATH", (ProbeDir + ":" + OldPath).c_str(), 1);
    const bool Started = Launcher->Launch("argv_probe", "x", "", TShowCommand::ShowNormal).Started;
    setenv("PATH", OldPath.c_str(), 1);
    ASSERT_TRUE(Started);
    ProbeRecord Record;
    ASSERT_TRUE(Probe(&Record));
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{"argv_probe", "x"}));
}

TEST_F(X11LauncherTest, MissingFileOrDirectoryStartsNothingAndSaysWhy) {
    const std::string Unrunnable = Dir.Write("unrunnable", "neither a program nor a script", true);
    const std::string Orphan = Dir.Write("orphan", "#!/no/such/interpreter\n", true);
    const std::vector<std::pair<TLaunchResult, std::string>> Refusals{
        {Launcher->Launch(Dir.File("missing"), "", "", TShowCommand::ShowNormal), "file not found"},
        {Launcher->Launch(TULMA_ARGV_PROBE, "", Dir.File("missing-dir"), TShowCommand::ShowNormal),
         "working directory " + Dir.File("missing-dir") + " does not exist"},
        {Launcher->Launch("", "", "", TShowCommand::ShowNormal), "no file given"},
        {Launcher->Launch(Unrunnable, "", "", TShowCommand::ShowNormal), "cannot run it: Exec format error"},
        {Launcher->Launch(Orphan, "", "", TShowCommand::ShowNormal),
         "cannot run it: the interpreter it names is missing"},
    };
    for (const auto& [Result, Reason] : Refusals) {
        EXPECT_FALSE(Result.Started) << Reason;
        EXPECT_EQ(Result.Reason, Reason);
    }
    const auto WindowsBefore = WindowProperty(X(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    Settle(500);
    EXPECT_NE(access(ProbeOutput.c_str(), F_OK), 0);
    EXPECT_EQ(WindowProperty(X(), Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW), WindowsBefore);
    EXPECT_TRUE(Launcher->Idle());
}

TEST_F(X11LauncherTest, TwoHundredLaunchesLeaveNoZombie) {
    // Children from before (the display's processes, and those of earlier tests in this process, whose
    // launchers are gone) are not this launcher's to collect.
    std::set<pid_t> Earlier;
    for (const ChildProcess& Child : ChildProcesses()) {
        Earlier.insert(Child.Pid);
    }
    const auto Remaining = [&] {
        std::vector<ChildProcess> Ours = ChildProcesses();
        std::erase_if(Ours, [&](const ChildProcess& Child) { return Earlier.contains(Child.Pid); });
        return Ours;
    };
    for (int I = 0; I < 200; ++I) {
        ASSERT_TRUE(Launcher->Launch("true", "", "", TShowCommand::ShowNoActivate).Started);
    }
    ASSERT_TRUE(Launcher->Launch(TULMA_ARGV_PROBE, "last", "", TShowCommand::ShowNormal).Started);
    ProbeRecord Record;
    ASSERT_TRUE(Probe(&Record));
    EXPECT_TRUE(WaitUntil([&] { return Remaining().empty(); }, 5s));
    for (const ChildProcess& Child : Remaining()) {
        EXPECT_NE(Child.State, 'Z') << Child.Pid;
    }
}

TEST_F(X11LauncherTest, NormalShowsAndActivates) {
    const xcb_window_t Previous = FocusedWindow();
    const xcb_window_t Window = LaunchWindow("Started normal", TShowCommand::ShowNormal);
    ASSERT_NE(Window, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_TRUE(WaitUntil([&] { return ActiveWindow(X()) == Window; }, 5s));
    EXPECT_NE(ActiveWindow(X()), Previous);
    EXPECT_FALSE(HasState(X(), Window, "_NET_WM_STATE_HIDDEN"));
    EXPECT_FALSE(HasState(X(), Window, "_NET_WM_STATE_MAXIMIZED_VERT"));
}

TEST_F(X11LauncherTest, MaximizedShowsMaximizedAndActive) {
    FocusedWindow();
    const xcb_window_t Window = LaunchWindow("Started maximized", TShowCommand::ShowMaximized);
    ASSERT_NE(Window, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_TRUE(WaitUntil(
        [&] {
            return HasState(X(), Window, "_NET_WM_STATE_MAXIMIZED_VERT") &&
                   HasState(X(), Window, "_NET_WM_STATE_MAXIMIZED_HORZ") && ActiveWindow(X()) == Window;
        },
        5s));
}

TEST_F(X11LauncherTest, MinimizedShowsIconic) {
    FocusedWindow();
    const xcb_window_t Window = LaunchWindow("Started minimized", TShowCommand::ShowMinimized);
    ASSERT_NE(Window, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_TRUE(WaitUntil([&] { return HasState(X(), Window, "_NET_WM_STATE_HIDDEN"); }, 5s));
}

// Launches that come closer together than the launcher looks for windows must not hold off the looks.
TEST_F(X11LauncherTest, ShowCommandIsAppliedWhileLaunchesKeepComing) {
    const std::string Title = "Started among quick launches";
    ASSERT_TRUE(
        Launcher->Launch(TULMA_TEST_WINDOW, '"' + Title + '"', "", TShowCommand::ShowMinimized).Started);
    const auto Minimized = [&] {
        const xcb_window_t Window = WindowTitled(Title);
        return Window != XCB_WINDOW_NONE && HasState(X(), Window, "_NET_WM_STATE_HIDDEN");
    };
    bool Done = false;
    for (int Launch = 0; Launch < 1000 && !(Done = Minimized()); ++Launch) {
        ASSERT_TRUE(Launcher->Launch("true", "", "", TShowCommand::ShowNormal).Started);
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_TRUE(Done);
}

TEST_F(X11LauncherTest, NoActivateLeavesTheFocusWhereItWas) {
    const xcb_window_t Previous = FocusedWindow();
    const xcb_window_t Window = LaunchWindow("Started without activation", TShowCommand::ShowNoActivate);
    ASSERT_NE(Window, xcb_window_t{XCB_WINDOW_NONE});
    Settle(300);
    EXPECT_EQ(ActiveWindow(X()), Previous);
    EXPECT_FALSE(HasState(X(), Window, "_NET_WM_STATE_HIDDEN"));
}

TEST_F(X11LauncherTest, MinimizedNoActivateIsIconicAndLeavesTheFocus) {
    const xcb_window_t Previous = FocusedWindow();
    const xcb_window_t Window =
        LaunchWindow("Started minimized without activation", TShowCommand::ShowMinNoActive);
    ASSERT_NE(Window, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_TRUE(WaitUntil([&] { return HasState(X(), Window, "_NET_WM_STATE_HIDDEN"); }, 5s));
    Settle(300);
    EXPECT_EQ(ActiveWindow(X()), Previous);
}

}  // namespace
}  // namespace tulma::test
