// Finding and activating one window among 500 (and among 50) titled ones, deep in the stacking order and
// last in the client list: Tulma's path (a command that looks for a window, on the X11 desktop windows)
// against `wmctrl -a`, from the start of the search (or of the wmctrl process) to the window being active.
// Tulma's window list is warm, as in a program that has run for a while; with no event loop here, the events
// that came since the last search are handled by the search itself.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>

#include "BenchMain.h"
#include "HotKeyCommand.h"
#include "LatencyStatistics.h"
#include "LaunchRecord.h"
#include "Launcher.h"
#include "WindowCycle.h"
#include "WindowMatch.h"
#include "WindowScene.h"
#include "X11DesktopWindows.h"

namespace tulma::bench {
namespace {

constexpr int WindowCounts[] = {500, 50};
constexpr const char* TargetTitle = "Tulma bench Target Window";
constexpr const char* SearchText = "target window";
constexpr int ActivationTimeoutMs = 5000;

// Starting anything means the window was not found.
class TRefusingLauncher : public ILauncher {
  public:
    TLaunchResult Launch(const std::string&, const std::string&, const std::string&, TShowCommand) override {
        throw std::runtime_error("the command started its program: the window was not found");
    }
};

// A display with its windows, and the desktop connection Tulma's command works on, as the running program
// has it.
struct TSetup {
    explicit TSetup(int WindowCount) : Scene(WindowCount, TargetTitle) {
        Command.LookForWindow = SearchText;
        Command.Exec = "/bin/false";
    }

    TWindowScene Scene;
    xcb_connection_t* Connection = xcb_connect(Scene.DisplayName().c_str(), nullptr);
    std::unique_ptr<TX11DesktopWindows> Windows = std::make_unique<TX11DesktopWindows>(Connection);
    TRefusingLauncher NoLaunch;
    THotKeyCommand Command;

    ~TSetup() {
        Windows.reset();
        xcb_disconnect(Connection);
    }
};

// One display per window count, made when first needed and shared by the rows of that count.
std::map<int, std::unique_ptr<TSetup>>& Setups() {
    static std::map<int, std::unique_ptr<TSetup>> Shared;
    return Shared;
}

TSetup& Setup(int WindowCount) {
    auto& Shared = Setups()[WindowCount];
    if (!Shared) {
        Shared = std::make_unique<TSetup>(WindowCount);
        // The running program has read every window long before: its first search, hours ago.
        Shared->Windows->Snapshot();
    }
    return *Shared;
}

template <class TRun>
void Measured(benchmark::State& State, int WindowCount, TRun Run) {
    try {
        TSetup& S = Setup(WindowCount);
        S.Scene.Reset();
        for (auto _ : State) {
            const std::int64_t Before = MonotonicNs();
            Run(S);
            State.SetIterationTime(
                static_cast<double>(S.Scene.WaitUntilTargetActive(ActivationTimeoutMs) - Before) / 1e9);
        }
    } catch (const std::exception& Error) {
        State.SkipWithError(Error.what());
    }
}

void BM_ActivateTulma(benchmark::State& State, int WindowCount) {
    Measured(State, WindowCount, [](TSetup& S) { S.Command.ExecuteCommand(*S.Windows, S.NoLaunch); });
}

void BM_ActivateWmctrl(benchmark::State& State, int WindowCount) {
    pid_t Wmctrl = -1;
    Measured(State, WindowCount, [&Wmctrl](TSetup& S) {
        setenv("DISPLAY", S.Scene.DisplayName().c_str(), 1);
        Wmctrl = test::StartProgram({"wmctrl", "-a", SearchText});
    });
    if (Wmctrl > 0) {
        waitpid(Wmctrl, nullptr, 0);
    }
}

// Where Tulma's time goes: the search alone (the stacking list, the windows that changed since the last
// search, the match), no activation.
void BM_SearchOnlyTulma(benchmark::State& State, int WindowCount) {
    try {
        TSetup& S = Setup(WindowCount);
        S.Scene.Reset();
        for (auto _ : State) {
            const std::int64_t Before = MonotonicNs();
            const TWindowSnapshot Desktop = S.Windows->Snapshot();
            const auto Matches = MatchingWindows(Desktop.Windows, SearchText);
            const TWindowInfo* Chosen = TWindowCycle().Next(Matches, Desktop.Active);
            const TWindowHandle Found = Chosen != nullptr ? Chosen->Handle : 0;
            State.SetIterationTime(static_cast<double>(MonotonicNs() - Before) / 1e9);
            if (Found != S.Scene.Target()) {
                throw std::runtime_error("the search found another window");
            }
        }
    } catch (const std::exception& Error) {
        State.SkipWithError(Error.what());
    }
}

void Register() {
    for (const int Count : WindowCounts) {
        // The family (before the slash) pairs Tulma with wmctrl for the verdicts.
        const std::string Windows = "-" + std::to_string(Count) + "windows";
        for (auto* Bench : {benchmark::RegisterBenchmark(("ActivateDeepWindow" + Windows + "/tulma").c_str(),
                                                         BM_ActivateTulma, Count),
                            benchmark::RegisterBenchmark(("ActivateDeepWindow" + Windows + "/wmctrl").c_str(),
                                                         BM_ActivateWmctrl, Count),
                            benchmark::RegisterBenchmark(("SearchOnly" + Windows + "/tulma").c_str(),
                                                         BM_SearchOnlyTulma, Count)}) {
            Bench->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);
            AddTailStatistics(Bench);
        }
    }
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    try {
        tulma::bench::Register();
        const int Result = tulma::bench::RunSideBySide(Argc, Argv, 100);
        tulma::bench::Setups().clear();
        return Result;
    } catch (const std::exception& Error) {
        std::cerr << "bench_window_search: " << Error.what() << std::endl;
        return 1;
    }
}
