#include "HotKeyDaemon.h"

#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include <xcb/xtest.h>

#include "FillerBindings.h"
#include "OrphanReaper.h"
#include "ProgramCopy.h"
#include "ShellTestSupport.h"

using namespace std::chrono_literals;

namespace tulma::bench {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t KeyL = 'l';
// Ctrl+Alt+L as a hotkey file stores it.
constexpr std::uint16_t CtrlAltL = 0xC000 | 'L';
constexpr int LaunchTimeoutMs = 5000;

void Sleep(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

}  // namespace

THotKeyDaemon::THotKeyDaemon(TKind Kind, int Bindings, TFocus Focus)
    : Kind(Kind), Bindings(Bindings), Focus(Focus) {
    Pipe = std::make_unique<TProbePipe>((Dir.Path() / "launches").string());
    Display.Start(true);
    Keyboard = std::make_unique<test::FakeKeyboard>(Display.Connection());
    if (Kind == TKind::Tulma) {
        StartTulma();
    } else if (Kind == TKind::Sxhkd) {
        StartSxhkd();
    } else {
        StartFloor();
    }
    if (Focus == TFocus::OtherWindow || (Focus == TFocus::OwnWindow && Kind != TKind::Tulma)) {
        OtherProgram = test::StartProgram({"xterm"});
        FocusWindowOf(OtherProgram);
    } else if (Focus == TFocus::OwnWindow) {
        FocusWindowOf(Daemon);
    }
    WaitUntilAnswering();
}

// Waits until the window of Pid is mapped, then asks the window manager to activate it and waits until
// it is the active window.
void THotKeyDaemon::FocusWindowOf(pid_t Pid) {
    xcb_connection_t* Connection = Display.Connection();
    xcb_window_t Window = XCB_WINDOW_NONE;
    if (!test::WaitUntil([&] { return (Window = test::WindowOfPid(Connection, Pid)) != XCB_WINDOW_NONE; },
                         15s)) {
        throw std::runtime_error("no window of process " + std::to_string(Pid) + " came up");
    }
    const auto Active = [&] { return test::ActiveWindow(Connection) == Window; };
    if (!test::WaitUntil(Active, 1s)) {
        const std::string Activate = "wmctrl -i -a " + std::to_string(Window);
        [[maybe_unused]] const int Ignored = std::system(Activate.c_str());
    }
    if (!test::WaitUntil(Active, 5s)) {
        throw std::runtime_error("the window of process " + std::to_string(Pid) + " did not get the focus");
    }
}

THotKeyDaemon::~THotKeyDaemon() {
    if (Daemon > 0) {
        test::Terminate(Daemon);
    }
    if (OtherProgram > 0) {
        test::Terminate(OtherProgram);
    }
    Keyboard.reset();
    Display.Stop();
    Pipe.reset();
}

std::string THotKeyDaemon::Name() const {
    // In TKind's order.
    static constexpr const char* Names[] = {"tulma", "sxhkd", "floor"};
    return Names[static_cast<int>(Kind)];
}

// The program looks for its message file beside itself, hence a copy in the scratch directory.
void THotKeyDaemon::StartTulma() {
    const fs::path Program = test::CopyProgram(TULMA_PROGRAM, TULMA_MESSAGE_FILE, Dir.Path());
    const std::string Keys = (Dir.Path() / "bench.tul").string();
    std::vector<test::THotKeyOutline> HotKeys;
    for (const std::uint16_t Combination : FillerCombinations(Bindings - 1)) {
        HotKeys.emplace_back("Filler " + std::to_string(HotKeys.size()), Combination, "/bin/true");
    }
    HotKeys.emplace_back("Launch probe", CtrlAltL, BENCH_LAUNCH_PROBE, Pipe->Path());
    // Minimised from its start, as it idles all day, unless its own window is to have the focus.
    test::WriteHotKeyFile(Keys, HotKeys, Focus != TFocus::OwnWindow);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    Daemon = test::StartProgram({Program.string(), Keys});
}

// sxhkd runs every command through a shell; /bin/sh (dash) is the quickest a user could choose.
void THotKeyDaemon::StartSxhkd() {
    const std::string Config = (Dir.Path() / "sxhkdrc").string();
    std::ofstream(Config) << SxhkdConfiguration(Bindings - 1, "ctrl + alt + l",
                                                std::string(BENCH_LAUNCH_PROBE) + " " + Pipe->Path());
    setenv("SXHKD_SHELL", "/bin/sh", 1);
    Daemon = test::StartProgram({"sxhkd", "-c", Config});
}

void THotKeyDaemon::StartFloor() {
    Daemon = test::StartProgram(
        {BENCH_FLOOR_DAEMON, std::to_string(Keyboard->Keycode(KeyL)), BENCH_LAUNCH_PROBE, Pipe->Path()});
}

// Presses the hotkey until the daemon answers several presses in a row: a program that is still
// starting up (tulma registers its hotkeys when its window is first activated) may answer one and miss
// the next. Then lets the launches die down.
void THotKeyDaemon::WaitUntilAnswering() {
    constexpr int InARow = 5;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int Answered = 0; Answered < InARow;) {
        if (std::chrono::steady_clock::now() > Deadline) {
            throw std::runtime_error(Name() + " did not answer its hotkey within 30 s");
        }
        Keyboard->Chord({test::Keys::Control, test::Keys::Alt, KeyL});
        const auto Launch = Pipe->Read(1000);
        Answered = Launch ? Answered + 1 : 0;
        if (Launch) {
            ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
        }
        // tulma takes a press within 1 s of a fired one for auto-repeat when it has not seen the release,
        // which a press and release in quick succession (as here) can cause.
        Sleep(Launch ? 1100 : 100);
    }
    Settle();
}

void THotKeyDaemon::Settle() {
    Sleep(300);
    for (const TLaunchRecord& Late : Pipe->Drain()) {
        ReapWhenGone(static_cast<pid_t>(Late.Pid), LaunchTimeoutMs);
    }
}

double THotKeyDaemon::PressToLaunch() {
    xcb_connection_t* Connection = Display.Connection();
    // Checked requests: the server has the modifiers down before the clock starts.
    Keyboard->Press(test::Keys::Control);
    Keyboard->Press(test::Keys::Alt);
    // A hand puts the modifiers down tens of milliseconds before the key, and by then whoever has the focus
    // has taken them in; without the pause Tulma's own window would still be handling them.
    Sleep(30);
    const xcb_keycode_t L = Keyboard->Keycode(KeyL);
    const std::int64_t Before = MonotonicNs();
    xcb_test_fake_input(Connection, XCB_KEY_PRESS, L, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(Connection);
    const auto Launch = Pipe->Read(LaunchTimeoutMs);
    Keyboard->Release(KeyL);
    Keyboard->Release(test::Keys::Alt);
    Keyboard->Release(test::Keys::Control);
    if (!Launch) {
        throw std::runtime_error(Name() + " started nothing within 5 s of the press");
    }
    if (!ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs)) {
        throw std::runtime_error("the probe started by " + Name() + " did not end");
    }
    if (!Pipe->Drain().empty()) {
        throw std::runtime_error(Name() + " started the probe more than once for one press");
    }
    return static_cast<double>(Launch->StartNs - Before) / 1e9;
}

}  // namespace tulma::bench
