// From a key press to the first statement of the started program on sway: Tulma's binding (a `nop`
// that Tulma hears and answers by starting the program itself) beside sway's own `exec` binding of the
// same program (the peer, which sway runs through a shell). Keys come from wtype's virtual keyboard, so
// both figures include wtype's start; a native Wayland window has the focus. Runs inside the headless
// session of tests/sway/sway-session.sh (scripts/bench-launch.sh starts it).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <thread>

#include "PressToLaunchHarness.h"
#include "ProbeBinding.h"
#include "ShellTestSupport.h"
#include "SwayConnection.h"
#include "XServerFixture.h"

extern char** environ;  // NOLINT(readability-identifier-naming): the C library's name

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;

void Sleep(int Ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(Ms));
}

// Ctrl+Alt+Key through wtype, whose own start is part of every figure; the time before it is started.
std::int64_t PressCtrlAlt(char Key) {
    const std::string Letter(1, Key);
    const char* Argv[] = {"wtype", "-M",  "ctrl", "-M",   "alt",  Letter.c_str(),
                          "-m",    "alt", "-m",   "ctrl", nullptr};
    pid_t Pid = -1;
    const std::int64_t Before = MonotonicNs();
    if (posix_spawnp(&Pid, "wtype", nullptr, nullptr, const_cast<char**>(Argv), environ) != 0) {
        throw std::runtime_error("wtype could not be started");
    }
    int Status = 0;
    waitpid(Pid, &Status, 0);
    return Before;
}

// The probe's pipe in the folder that sway's user may write, a native window with the focus, and the
// key that starts the probe.
class TSwayBinding {
  public:
    TSwayBinding(const std::string& Name, char Key)
        : Dir(SharedFolder(Name)), Probe((Dir / "launches").string(), [Key] { return PressCtrlAlt(Key); }) {
        chmod(Probe.PipePath().c_str(), 0666);
    }
    virtual ~TSwayBinding() = default;

    double PressToLaunch() { return Probe.PressToLaunch(); }

  protected:
    fs::path Dir;
    TProbeBinding Probe;

  private:
    static fs::path SharedFolder(const std::string& Name) {
        const fs::path Folder = fs::path(std::getenv("TULMA_SWAY_SHARED")) / Name;
        fs::create_directories(Folder);
        fs::permissions(Folder, fs::perms::all);
        return Folder;
    }
};

// Tulma idling minimised, with Ctrl+Alt+L bound to the probe, behind a native window.
class TTulmaBinding : public TSwayBinding {
  public:
    TTulmaBinding() : TSwayBinding("tulma", 'l') {
        const std::string Keys = (Dir / "bench.tul").string();
        test::WriteHotKeyFile(Keys, {{"Launch probe", 0xC000 | 'L', BENCH_LAUNCH_PROBE, Probe.PipePath()}},
                              true);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        Tulma = test::StartProgram({TULMA_PROGRAM, Keys});
        const fs::path Ready = Dir / "window-ready";
        Window = test::StartProgram({TULMA_WAYLAND_WINDOW, "Focus", Ready.string()});
        for (int Wait = 0; Wait < 400 && !fs::exists(Ready); ++Wait) {
            Sleep(50);
        }
        Probe.WaitUntilAnswering();
    }
    ~TTulmaBinding() override {
        test::Terminate(Window);
        test::Terminate(Tulma);
    }

  private:
    pid_t Tulma = -1;
    pid_t Window = -1;
};

// sway's own binding of Ctrl+Alt+M to the probe, made at run time.
class TExecBinding : public TSwayBinding {
  public:
    TExecBinding() : TSwayBinding("sway-exec", 'm') {
        TSwayConnection Sway(TSwayConnection::SessionSocketPath());
        Sway.Ask(SwayIpc::RunCommand,
                 QByteArray::fromStdString("bindsym --no-repeat Ctrl+Alt+m exec " +
                                           std::string(BENCH_LAUNCH_PROBE) + " " + Probe.PipePath()));
        Probe.WaitUntilAnswering();
    }
};

void Register() {
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("PressToLaunch/tulma-sway", BM_BindingPressToLaunch<TTulmaBinding>));
    ConfigurePressBenchmark(
        benchmark::RegisterBenchmark("PressToLaunch/sway-exec", BM_BindingPressToLaunch<TExecBinding>));
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_sway_press_to_launch", Argc, Argv, 100,
                                           tulma::bench::Register, [] {
                                               tulma::bench::Running<tulma::bench::TTulmaBinding>().reset();
                                               tulma::bench::Running<tulma::bench::TExecBinding>().reset();
                                           });
}
