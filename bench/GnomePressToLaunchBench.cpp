// From a key press to the first statement of the started program on GNOME before its shortcuts portal:
// Tulma's custom keybinding (which runs tulma-press, which asks the running Tulma to start the program)
// beside a custom keybinding that runs the same program directly (the peer). Keys come through mutter's
// remote desktop (tulma_gnome_keys), so both figures include its start; a native Wayland window has the
// focus. Runs inside the headless session of tests/gnome/gnome-session.sh (scripts/bench-launch.sh starts
// it).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include "GnomeHotKeys.h"
#include "PressToLaunchHarness.h"
#include "ProbeBinding.h"
#include "ShellTestSupport.h"
#include "XServerFixture.h"

extern char** environ;

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;

const std::string PeerPath = std::string(TGnomeKeybindings::CustomFolder) + "bench-peer/";

void Sleep(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Ctrl+Alt+Key through mutter's remote desktop, whose client's start is part of every figure; the time
// before it is started.
std::int64_t PressCtrlAlt(char Key) {
    const std::string Letter(1, Key);
    const char* Argv[] = {BENCH_GNOME_KEYS, "Control_L", "Alt_L", Letter.c_str(), nullptr};
    pid_t Pid = -1;
    const std::int64_t Before = MonotonicNs();
    if (posix_spawn(&Pid, BENCH_GNOME_KEYS, nullptr, nullptr, const_cast<char**>(Argv), environ) != 0) {
        throw std::runtime_error("tulma_gnome_keys could not be started");
    }
    int Status = 0;
    waitpid(Pid, &Status, 0);
    return Before;
}

// The probe's pipe, a native window with the focus, and the key that starts the probe.
class TGnomeBinding {
  public:
    TGnomeBinding(const std::string& Name, char Key)
        : Dir(SharedFolder(Name)), Probe((Dir / "launches").string(), [Key] { return PressCtrlAlt(Key); }) {
        const fs::path Ready = Dir / "window-ready";
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        Window = test::StartProgram({TULMA_WAYLAND_WINDOW, "Focus", Ready.string()});
        for (int Wait = 0; Wait < 400 && !fs::exists(Ready); ++Wait) {
            Sleep(50);
        }
    }
    virtual ~TGnomeBinding() { test::Terminate(Window); }

    double PressToLaunch() { return Probe.PressToLaunch(); }

  protected:
    fs::path Dir;
    TProbeBinding Probe;
    pid_t Window = -1;

  private:
    static fs::path SharedFolder(const std::string& Name) {
        const fs::path Folder = fs::path(std::getenv("TULMA_GNOME_SHARED")) / Name;
        fs::create_directories(Folder);
        return Folder;
    }
};

// Tulma idling minimised, with Ctrl+Alt+L bound to the probe.
class TTulmaBinding : public TGnomeBinding {
  public:
    TTulmaBinding() : TGnomeBinding("tulma", 'l') {
        const std::string Keys = (Dir / "bench.tul").string();
        test::WriteHotKeyFile(Keys, {{"Launch probe", 0xC000 | 'L', BENCH_LAUNCH_PROBE, Probe.PipePath()}},
                              true);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        Tulma = test::StartProgram({TULMA_PROGRAM, Keys});
        Probe.WaitUntilAnswering();
    }
    ~TTulmaBinding() override { test::Terminate(Tulma); }

  private:
    pid_t Tulma = -1;
};

// GNOME's own custom keybinding of Ctrl+Alt+M that runs the probe.
class TDirectBinding : public TGnomeBinding {
  public:
    TDirectBinding() : TGnomeBinding("gnome-direct", 'm') {
        Settings.Write(PeerPath,
                       {"Probe", TGnomeHotKeys::QuotedCommand({BENCH_LAUNCH_PROBE, Probe.PipePath()}),
                        "<Control><Alt>m"});
        Probe.WaitUntilAnswering();
    }
    ~TDirectBinding() override { Settings.Remove({PeerPath}); }

  private:
    TGnomeKeybindings Settings;
};

void Register() {
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("GnomePressToLaunch/tulma", BM_BindingPressToLaunch<TTulmaBinding>));
    ConfigurePressBenchmark(benchmark::RegisterBenchmark("GnomePressToLaunch/gnome-direct",
                                                         BM_BindingPressToLaunch<TDirectBinding>));
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_gnome_press_to_launch", Argc, Argv, 100,
                                           tulma::bench::Register, [] {
                                               tulma::bench::Running<tulma::bench::TTulmaBinding>().reset();
                                               tulma::bench::Running<tulma::bench::TDirectBinding>().reset();
                                           });
}
