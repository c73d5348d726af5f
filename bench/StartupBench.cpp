// How long the real tulma program takes from its start to holding every hotkey of a 1,000-hotkey file,
// beside sxhkd with as many bindings, and how much memory it keeps while it idles in the tray. Runs as
// after an autostart: on a private Xvfb display with openbox (and a tray where named), Tulma minimised.
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ClassRegistration.h"
#include "FillerBindings.h"
#include "ProgramCopy.h"
#include "ShellTestSupport.h"
#include "TempDir.h"
#include "XServerFixture.h"

using namespace std::chrono_literals;

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int HotKeyCount = 1000;
constexpr std::uint16_t CtrlAltK = CtrlBit | AltBit | 'K';
constexpr std::uint32_t KeyK = 'k';

// Count hotkeys, the last one being Ctrl+Alt+K, which touches Marker.
void WriteFile(const std::string& FileName, const std::string& Marker, int Count, TFiller Kind) {
    std::vector<test::THotKeyOutline> HotKeys;
    for (const std::uint16_t Combination : FillerCombinations(Count - 1, Kind)) {
        HotKeys.emplace_back("Hotkey " + std::to_string(HotKeys.size()), Combination, "/bin/true");
    }
    HotKeys.emplace_back("Last", CtrlAltK, "/usr/bin/touch", Marker);
    test::WriteHotKeyFile(FileName, HotKeys, true);
}

// A temporary folder with a copy of Program beside its message file.
class TProgramDir : public test::TempDir {
  public:
    explicit TProgramDir(const std::string& Program = TULMA_PROGRAM) {
        test::CopyProgram(Program, TULMA_MESSAGE_FILE, Path());
    }
};

void PressCtrlAltK(test::FakeKeyboard& Keyboard, xcb_connection_t* Connection) {
    Keyboard.Chord({test::Keys::Control, test::Keys::Alt, KeyK});
    xcb_flush(Connection);
}

// Starts the daemon (Command) and returns once its last hotkey answers; the time includes one start of
// the command that proves it.
double SecondsUntilRegistered(test::XServerFixture& Display, test::FakeKeyboard& Keyboard,
                              const std::vector<std::string>& Command, const std::string& Marker,
                              pid_t& Daemon) {
    fs::remove(Marker);
    const auto Start = Clock::now();
    Daemon = test::StartProgram(Command);
    while (!fs::exists(Marker)) {
        PressCtrlAltK(Keyboard, Display.Connection());
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (Clock::now() - Start > std::chrono::seconds(20)) {
            break;
        }
    }
    return std::chrono::duration<double>(Clock::now() - Start).count();
}

long ResidentKilobytes(pid_t Pid) {
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    for (std::string Line; std::getline(Status, Line);) {
        if (Line.rfind("VmRSS:", 0) == 0) {
            return std::stol(Line.substr(6));
        }
    }
    return -1;
}

// The processor time the process has had so far, in clock ticks.
long CpuTicks(pid_t Pid) {
    std::ifstream Stat("/proc/" + std::to_string(Pid) + "/stat");
    std::string Line;
    std::getline(Stat, Line);
    // The fields after the command name, which may hold spaces, are counted from its closing parenthesis.
    std::istringstream Fields(Line.substr(Line.rfind(')') + 2));
    std::string Field;
    long User = 0;
    long System = 0;
    for (int Index = 3; Index <= 15 && Fields >> Field; ++Index) {
        if (Index == 14) {
            User = std::stol(Field);
        } else if (Index == 15) {
            System = std::stol(Field);
        }
    }
    return User + System;
}

// The processor time every thread of the process has had so far, in milliseconds: finer than CpuTicks,
// and it holds on a loaded machine where wall-clock time does not.
double CpuMilliseconds(pid_t Pid) {
    double Nanoseconds = 0;
    std::error_code Failed;
    for (const auto& Task : fs::directory_iterator("/proc/" + std::to_string(Pid) + "/task", Failed)) {
        std::ifstream Schedstat(Task.path() / "schedstat");
        double Running = 0;
        if (Schedstat >> Running) {
            Nanoseconds += Running;
        }
    }
    return Nanoseconds / 1e6;
}

// A login starts its programs on an idle X server. A daemon that just ended leaves the server freeing its
// thousands of grabs for a while after the process is gone, which would otherwise fall on the next start.
void WaitUntilServerIdle(const test::XServerFixture& Display) {
    const auto Deadline = Clock::now() + std::chrono::seconds(5);
    for (long Before = -1; Clock::now() < Deadline;) {
        const long Now = CpuTicks(Display.ServerPid());
        if (Now == Before) {
            return;
        }
        Before = Now;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void RegisterClassesOnce() {
    static const bool Registered = (RegisterAllClasses(), true);
    (void)Registered;
}

// One sample a start of the daemon (Command), ended before the next. Beside the time, the processor time
// of the daemon and of the X server until the last hotkey answered, and the server's until it has done
// everything the daemon asked at its start.
void TimeStarts(benchmark::State& State, test::XServerFixture& Display, test::FakeKeyboard& Keyboard,
                const std::vector<std::string>& Command, const std::string& Marker) {
    for (auto _ : State) {
        pid_t Daemon = -1;
        const double ServerBefore = CpuMilliseconds(Display.ServerPid());
        State.SetIterationTime(SecondsUntilRegistered(Display, Keyboard, Command, Marker, Daemon));
        State.PauseTiming();
        State.counters["daemon_cpu_ms"] = CpuMilliseconds(Daemon);
        State.counters["server_cpu_ms"] = CpuMilliseconds(Display.ServerPid()) - ServerBefore;
        WaitUntilServerIdle(Display);
        State.counters["server_settled_cpu_ms"] = CpuMilliseconds(Display.ServerPid()) - ServerBefore;
        test::Terminate(Daemon);
        WaitUntilServerIdle(Display);
        State.ResumeTiming();
    }
}

// With 1,000 hotkeys, and with a single one unless only the 1,000 tell: the median of 15 starts.
void ConfigureStartBenchmark(benchmark::internal::Benchmark* Bench, bool WithOne = true) {
    if (WithOne) {
        Bench->Arg(1);
    }
    Bench->Arg(HotKeyCount)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true);
}

// The desktop a benchmark starts in: openbox, with or without a tray (trayer) beside it.
class TDesktop {
  public:
    explicit TDesktop(bool WithTray) {
        Display.Start(true);
        if (WithTray) {
            Tray = test::StartProgram({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                       "--width", "120", "--height", "24"});
            test::WaitUntil([this] { return TrayManaged(); }, 5s);
        }
        Keyboard = std::make_unique<test::FakeKeyboard>(Display.Connection());
    }
    ~TDesktop() {
        Keyboard.reset();
        if (Tray > 0) {
            test::Terminate(Tray);
        }
        Display.Stop();
    }
    TDesktop(const TDesktop&) = delete;
    TDesktop& operator=(const TDesktop&) = delete;

    test::XServerFixture Display;
    std::unique_ptr<test::FakeKeyboard> Keyboard;

  private:
    pid_t Tray = -1;

    bool TrayManaged() {
        const xcb_atom_t Selection = InternAtom(Display.Connection(), "_NET_SYSTEM_TRAY_S0");
        const auto Reply = xcb_get_selection_owner_reply(
            Display.Connection(), xcb_get_selection_owner(Display.Connection(), Selection), nullptr);
        const bool Owned = Reply != nullptr && Reply->owner != XCB_WINDOW_NONE;
        free(Reply);
        return Owned;
    }
};

// Tulma (the program at Program) minimised at its start, as an autostart entry starts it, in the desktop
// WithTray describes, with fillers of the Kind given.
void BM_StartUntilAllHotKeysRegistered(benchmark::State& State, bool WithTray, const std::string& Program,
                                       TFiller Kind) {
    RegisterClassesOnce();
    TDesktop Desktop(WithTray);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    TProgramDir Dir(Program);
    const std::string FileName = (Dir.Path() / "large.tul").string();
    const std::string Marker = (Dir.Path() / "marker").string();
    WriteFile(FileName, Marker, static_cast<int>(State.range(0)), Kind);
    TimeStarts(State, Desktop.Display, *Desktop.Keyboard, {(Dir.Path() / "tulma").string(), FileName},
               Marker);
}

// The same for sxhkd with as many bindings, the last one Ctrl+Alt+K.
void BM_SxhkdStartUntilAllBound(benchmark::State& State) {
    TDesktop Desktop(false);
    TProgramDir Dir;
    const std::string Config = (Dir.Path() / "sxhkdrc").string();
    const std::string Marker = (Dir.Path() / "marker").string();
    std::ofstream(Config) << SxhkdConfiguration(static_cast<int>(State.range(0)) - 1, SxhkdChord(CtrlAltK),
                                                "touch " + Marker);
    setenv("SXHKD_SHELL", "/bin/sh", 1);
    TimeStarts(State, Desktop.Display, *Desktop.Keyboard, {"sxhkd", "-c", Config}, Marker);
}

// Idle in the tray with the 1,000 hotkeys registered (argument 1000) or with one (argument 1).
void BM_ResidentMemoryMinimisedToTray(benchmark::State& State, const std::string& Program, TFiller Kind) {
    RegisterClassesOnce();
    TDesktop Desktop(true);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    TProgramDir Dir(Program);
    const std::string FileName = (Dir.Path() / "large.tul").string();
    const std::string Marker = (Dir.Path() / "marker").string();
    WriteFile(FileName, Marker, static_cast<int>(State.range(0)), Kind);
    long Kilobytes = 0;
    for (auto _ : State) {
        pid_t Tulma = -1;
        SecondsUntilRegistered(Desktop.Display, *Desktop.Keyboard,
                               {(Dir.Path() / "tulma").string(), FileName}, Marker, Tulma);
        std::this_thread::sleep_for(std::chrono::seconds(2));
        Kilobytes = ResidentKilobytes(Tulma);
        test::Terminate(Tulma);
    }
    State.counters["RSS_MB"] = static_cast<double>(Kilobytes) / 1024.0;
}

// Suffix names the program's rows; another build's program (TULMA_BENCH_BASELINE) gets rows of its own,
// so that a change is measured beside the program before it in one run. The "+refused" rows take the
// repeating fillers, so that Tulma also tells of the hotkeys it was refused.
void RegisterTulma(const std::string& Program, const std::string& Suffix) {
    for (const bool WithTray : {false, true}) {
        const std::string Desktop = WithTray ? "openbox+tray" : "openbox";
        ConfigureStartBenchmark(benchmark::RegisterBenchmark(
            ("BM_StartUntilAllHotKeysRegistered/" + Desktop + Suffix).c_str(),
            [WithTray, Program](benchmark::State& State) {
                BM_StartUntilAllHotKeysRegistered(State, WithTray, Program, TFiller::Distinct);
            }));
    }
    ConfigureStartBenchmark(
        benchmark::RegisterBenchmark(("BM_StartUntilAllHotKeysRegistered/openbox+refused" + Suffix).c_str(),
                                     [Program](benchmark::State& State) {
                                         BM_StartUntilAllHotKeysRegistered(State, false, Program,
                                                                           TFiller::Repeating);
                                     }),
        false);
    for (const TFiller Kind : {TFiller::Distinct, TFiller::Repeating}) {
        const std::string Desktop = Kind == TFiller::Distinct ? "openbox+tray" : "openbox+tray+refused";
        auto* Bench =
            benchmark::RegisterBenchmark(("BM_ResidentMemoryMinimisedToTray/" + Desktop + Suffix).c_str(),
                                         [Program, Kind](benchmark::State& State) {
                                             BM_ResidentMemoryMinimisedToTray(State, Program, Kind);
                                         });
        if (Kind == TFiller::Distinct) {
            Bench->Arg(1);
        }
        Bench->Arg(HotKeyCount)->Iterations(1)->Unit(benchmark::kMillisecond);
    }
}

void Register() {
    if (const char* Baseline = std::getenv("TULMA_BENCH_BASELINE")) {
        RegisterTulma(Baseline, "/baseline");
    }
    RegisterTulma(TULMA_PROGRAM, "");
    ConfigureStartBenchmark(
        benchmark::RegisterBenchmark("BM_SxhkdStartUntilAllBound/openbox", BM_SxhkdStartUntilAllBound));
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    benchmark::Initialize(&Argc, Argv);
    if (benchmark::ReportUnrecognizedArguments(Argc, Argv)) {
        return 2;
    }
    tulma::bench::Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
