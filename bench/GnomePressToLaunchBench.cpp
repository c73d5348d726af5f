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
#include "OrphanReaper.h"
#include "PressToLaunchHarness.h"
#include "ProbePipe.h"
#include "ShellTestSupport.h"
#include "XServerFixture.h"

extern char** environ;

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;

constexpr int LaunchTimeoutMs = 5000;
const std::string PeerPath = std::string(TGnomeKeybindings::CustomFolder) + "bench-peer/";

void Sleep(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Ctrl+Alt+Key through mutter's remote desktop, whose client's start is part of every figure; the time
// before it is spawned.
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
        : Key(Key), Dir(fs::path(std::getenv("TULMA_GNOME_SHARED")) / Name) {
        fs::create_directories(Dir);
        Pipe = std::make_unique<TProbePipe>((Dir / "launches").string());
        const fs::path Ready = Dir / "window-ready";
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        Window = test::Spawn({TULMA_WAYLAND_WINDOW, "Focus", Ready.string()});
        for (int Wait = 0; Wait < 400 && !fs::exists(Ready); ++Wait) {
            Sleep(50);
        }
    }
    virtual ~TGnomeBinding() { test::Terminate(Window); }

    double PressToLaunch() {
        const std::int64_t Before = PressCtrlAlt(Key);
        const auto Launch = Pipe->Read(LaunchTimeoutMs);
        if (!Launch) {
            throw std::runtime_error("nothing started within 5 s of the press");
        }
        ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
        if (!Pipe->Drain().empty()) {
            throw std::runtime_error("the program started more than once for one press");
        }
        return static_cast<double>(Launch->StartNs - Before) / 1e9;
    }

  protected:
    char Key;
    fs::path Dir;
    std::unique_ptr<TProbePipe> Pipe;
    pid_t Window = -1;

    // Presses until five in a row start the probe: GNOME grabs a new entry a moment after it is written.
    void WaitUntilAnswering() {
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        for (int Answered = 0; Answered < 5;) {
            if (std::chrono::steady_clock::now() > Deadline) {
                throw std::runtime_error("the keybinding did not answer within 30 s");
            }
            PressCtrlAlt(Key);
            const auto Launch = Pipe->Read(1000);
            Answered = Launch ? Answered + 1 : 0;
            if (Launch) {
                ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
            }
        }
        Sleep(300);
        Pipe->Drain();
    }
};

// Tulma idling minimised, with Ctrl+Alt+L bound to the probe.
class TTulmaBinding : public TGnomeBinding {
  public:
    TTulmaBinding() : TGnomeBinding("tulma", 'l') {
        const std::string Keys = (Dir / "bench.tul").string();
        test::WriteHotKeyFile(Keys, {{"Launch probe", 0xC000 | 'L', BENCH_LAUNCH_PROBE, Pipe->Path()}}, true);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        Tulma = test::Spawn({TULMA_PROGRAM, Keys});
        WaitUntilAnswering();
    }
    ~TTulmaBinding() override { test::Terminate(Tulma); }

  private:
    pid_t Tulma = -1;
};

// GNOME's own custom keybinding of Ctrl+Alt+M that runs the probe.
class TDirectBinding : public TGnomeBinding {
  public:
    TDirectBinding() : TGnomeBinding("gnome-direct", 'm') {
        Settings.Write(PeerPath, {"Probe", TGnomeHotKeys::QuotedCommand({BENCH_LAUNCH_PROBE, Pipe->Path()}),
                                  "<Control><Alt>m"});
        WaitUntilAnswering();
    }
    ~TDirectBinding() override { Settings.Remove({PeerPath}); }

  private:
    TGnomeKeybindings Settings;
};

template <class TBinding>
std::unique_ptr<TBinding>& Running() {
    static std::unique_ptr<TBinding> Binding;
    return Binding;
}

template <class TBinding>
void BM_GnomePressToLaunch(benchmark::State& State) {
    MeasurePresses(State, [] {
        if (!Running<TBinding>()) {
            Running<TBinding>() = std::make_unique<TBinding>();
        }
        return Running<TBinding>()->PressToLaunch();
    });
}

void Register() {
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("GnomePressToLaunch/tulma", BM_GnomePressToLaunch<TTulmaBinding>));
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("GnomePressToLaunch/gnome-direct", BM_GnomePressToLaunch<TDirectBinding>));
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
