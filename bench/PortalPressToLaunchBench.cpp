// From a key press to the first statement of the started program when the hotkey goes through the
// desktop's GlobalShortcuts portal: the real tulma program in a KWin Wayland session, keys injected
// through KWin's fake-input protocol while a native Wayland window has the focus. Runs inside the
// headless desktop of tests/wayland/wayland-desktop.sh (scripts/bench-launch.sh starts it).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include "OrphanReaper.h"
#include "PressToLaunchHarness.h"
#include "ProbePipe.h"
#include "ShellTestSupport.h"
#include "WaylandKeyboard.h"
#include "XServerFixture.h"

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;

// evdev codes.
constexpr std::uint32_t Ctrl = 29;
constexpr std::uint32_t Alt = 56;
constexpr std::uint32_t L = 38;
constexpr std::uint16_t CtrlAltL = 0xC000 | 'L';
constexpr int LaunchTimeoutMs = 5000;

void Sleep(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Tulma with Ctrl+Alt+L bound to the launch probe, behind a native Wayland window.
class TPortalDaemon {
  public:
    TPortalDaemon() : Dir(fs::path(std::getenv("HOME")) / "bench") {
        fs::create_directories(Dir);
        Pipe = std::make_unique<TProbePipe>((Dir / "launches").string());
        const std::string Keys = (Dir / "bench.tul").string();
        test::WriteHotKeyFile(Keys, {{"Launch probe", CtrlAltL, BENCH_LAUNCH_PROBE, Pipe->Path()}}, true);
        Tulma = test::StartProgram({TULMA_PROGRAM, Keys});
        const fs::path Ready = Dir / "window-ready";
        Window = test::StartProgram({TULMA_WAYLAND_WINDOW, "Focus", Ready.string()});
        for (int Wait = 0; Wait < 400 && !fs::exists(Ready); ++Wait) {
            Sleep(50);
        }
        if (!fs::exists(Ready)) {
            throw std::runtime_error("the Wayland window did not show");
        }
        WaitUntilAnswering();
    }

    ~TPortalDaemon() {
        test::Terminate(Window);
        test::Terminate(Tulma);
    }

    // Seconds from the L key going down (Ctrl and Alt are down already) to the probe's first statement.
    double PressToLaunch() {
        Keyboard.Press(Ctrl);
        Keyboard.Press(Alt);
        Keyboard.Sync();
        const std::int64_t Before = MonotonicNs();
        Keyboard.Press(L);
        Keyboard.Flush();
        const auto Launch = Pipe->Read(LaunchTimeoutMs);
        Release();
        if (!Launch) {
            throw std::runtime_error("tulma started nothing within 5 s of the press");
        }
        if (!ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs)) {
            throw std::runtime_error("the probe did not end");
        }
        if (!Pipe->Drain().empty()) {
            throw std::runtime_error("tulma started the probe more than once for one press");
        }
        return static_cast<double>(Launch->StartNs - Before) / 1e9;
    }

  private:
    fs::path Dir;
    std::unique_ptr<TProbePipe> Pipe;
    test::WaylandKeyboard Keyboard;
    pid_t Tulma = -1;
    pid_t Window = -1;

    void Release() {
        Keyboard.Release(L);
        Keyboard.Release(Alt);
        Keyboard.Release(Ctrl);
        Keyboard.Sync();
    }

    // The desktop binds the shortcuts some time after Tulma asks: presses until five in a row answer.
    void WaitUntilAnswering() {
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        for (int Answered = 0; Answered < 5;) {
            if (std::chrono::steady_clock::now() > Deadline) {
                throw std::runtime_error("tulma did not answer its hotkey through the portal within 30 s");
            }
            Keyboard.Press(Ctrl);
            Keyboard.Press(Alt);
            Keyboard.Press(L);
            Keyboard.Sync();
            const auto Launch = Pipe->Read(1000);
            Release();
            Answered = Launch ? Answered + 1 : 0;
            if (Launch) {
                ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
            }
            Sleep(100);
        }
        Sleep(300);
        for (const TLaunchRecord& Late : Pipe->Drain()) {
            ReapWhenGone(static_cast<pid_t>(Late.Pid), LaunchTimeoutMs);
        }
    }
};

std::unique_ptr<TPortalDaemon>& Daemon() {
    static std::unique_ptr<TPortalDaemon> Running;
    return Running;
}

void BM_PortalPressToLaunch(benchmark::State& State) {
    MeasurePresses(State, [] {
        if (!Daemon()) {
            Daemon() = std::make_unique<TPortalDaemon>();
        }
        return Daemon()->PressToLaunch();
    });
}

void Register() {
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("PressToLaunch/tulma-portal", BM_PortalPressToLaunch));
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_portal_press_to_launch", Argc, Argv, 100,
                                           tulma::bench::Register, [] { tulma::bench::Daemon().reset(); });
}
