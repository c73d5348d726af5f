// From a key press to the first statement of the started program in a KWin Wayland session: the real tulma
// program with its hotkeys as KDE's global shortcuts, beside KDE's own shortcut that starts the same program
// (bench_kde_shortcut_peer), and tulma through the GlobalShortcuts portal. Keys come through KWin's
// fake-input protocol while a native Wayland window has the focus. Runs inside the headless desktop of
// tests/wayland/wayland-desktop.sh (scripts/bench-launch.sh starts it).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "ProbeBinding.h"
#include "ShellTestSupport.h"
#include "WaylandKeyboard.h"
#include "XServerFixture.h"

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;

// evdev codes.
constexpr std::uint32_t Ctrl = 29;
constexpr std::uint32_t Alt = 56;
constexpr std::uint32_t K = 37;
constexpr std::uint32_t L = 38;
constexpr std::uint32_t M = 50;

test::WaylandKeyboard& Keyboard() {
    static test::WaylandKeyboard Shared;
    return Shared;
}

// Ctrl+Alt+Key, timed from the key going down (Ctrl and Alt are down already).
std::int64_t PressCtrlAlt(std::uint32_t Key) {
    Keyboard().Press(Ctrl);
    Keyboard().Press(Alt);
    Keyboard().Sync();
    const std::int64_t Before = MonotonicNs();
    Keyboard().Press(Key);
    Keyboard().Flush();
    Keyboard().Release(Key);
    Keyboard().Release(Alt);
    Keyboard().Release(Ctrl);
    Keyboard().Sync();
    return Before;
}

fs::path FolderOf(const std::string& Name) {
    const fs::path Folder = fs::path(std::getenv("HOME")) / "bench" / Name;
    fs::create_directories(Folder);
    return Folder;
}

// The probe's pipe and a native window with the focus; the daemon that binds Ctrl+Alt+Key is the
// subclass's.
class TKWinBinding {
  public:
    TKWinBinding(const std::string& Name, std::uint32_t Key)
        : Dir(FolderOf(Name)), Probe((Dir / "launches").string(), [Key] { return PressCtrlAlt(Key); }) {
        const fs::path Ready = Dir / "window-ready";
        Window = test::StartProgram({TULMA_WAYLAND_WINDOW, "Focus " + Name, Ready.string()});
        for (int Wait = 0; Wait < 400 && !fs::exists(Ready); ++Wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!fs::exists(Ready)) {
            throw std::runtime_error("the Wayland window did not show");
        }
    }
    virtual ~TKWinBinding() {
        test::Terminate(Daemon);
        test::Terminate(Window);
    }

    double PressToLaunch() { return Probe.PressToLaunch(); }

  protected:
    fs::path Dir;
    TProbeBinding Probe;
    pid_t Daemon = -1;

    // Tulma idling minimised with its hotkeys registered through Backend, Ctrl+Alt+Key bound to the probe.
    void StartTulma(const std::string& Backend, char Key) {
        const std::string File = (Dir / "bench.tul").string();
        test::WriteHotKeyFile(File,
                              {{"Launch probe", static_cast<std::uint16_t>(0xC000 | Key), BENCH_LAUNCH_PROBE,
                                Probe.PipePath()}},
                              true);
        Daemon = test::StartProgram({TULMA_PROGRAM, "--hotkeys=" + Backend, File});
        Probe.WaitUntilAnswering();
    }

  private:
    pid_t Window = -1;
};

class TTulmaKde : public TKWinBinding {
  public:
    TTulmaKde() : TKWinBinding("tulma", K) { StartTulma("kde", 'K'); }
};

class TTulmaPortal : public TKWinBinding {
  public:
    TTulmaPortal() : TKWinBinding("tulma-portal", L) { StartTulma("portal", 'L'); }
};

class TKdeShortcut : public TKWinBinding {
  public:
    TKdeShortcut() : TKWinBinding("kde-shortcut", M) {
        Daemon = test::StartProgram({BENCH_KDE_SHORTCUT_PEER, BENCH_LAUNCH_PROBE, Probe.PipePath()});
        Probe.WaitUntilAnswering();
    }
};

void Register() {
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("KdePressToLaunch/tulma", BM_BindingPressToLaunch<TTulmaKde>));
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("KdePressToLaunch/kde-shortcut", BM_BindingPressToLaunch<TKdeShortcut>));
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("PressToLaunch/tulma-portal", BM_BindingPressToLaunch<TTulmaPortal>));
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_kwin_press_to_launch", Argc, Argv, 100,
                                           tulma::bench::Register, [] {
                                               tulma::bench::Running<tulma::bench::TTulmaKde>().reset();
                                               tulma::bench::Running<tulma::bench::TKdeShortcut>().reset();
                                               tulma::bench::Running<tulma::bench::TTulmaPortal>().reset();
                                           });
}
