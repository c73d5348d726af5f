// Finding and activating one window among 500 titled ones, deep in the stacking order and last in the
// client list: Tulma's path (a command that looks for a window, on the X11 desktop windows) against
// `wmctrl -a`, from the start of the search (or of the wmctrl process) to the window being active.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "BenchMain.h"
#include "HotKeyCommand.h"
#include "LatencyStatistics.h"
#include "LaunchRecord.h"
#include "Launcher.h"
#include "Text.h"
#include "WindowScene.h"
#include "X11DesktopWindows.h"

namespace tulma::bench {
namespace {

constexpr int WindowCount = 500;
constexpr const char* TargetTitle = "Tulma bench Target Window";
constexpr const char* SearchText = "target window";
constexpr int ActivationTimeoutMs = 5000;

// Starting anything means the window was not found.
class TRefusingLauncher : public Launcher {
  public:
    LaunchResult ShellExecute(const std::string&, const std::string&, const std::string&, int) override {
        throw std::runtime_error("the command started its program: the window was not found");
    }
};

// The display with its windows, and the desktop connection Tulma's command works on, as the running
// program has it.
struct TSetup {
    TWindowScene Scene{WindowCount, TargetTitle};
    xcb_connection_t* Connection = xcb_connect(nullptr, nullptr);
    std::unique_ptr<X11DesktopWindows> Windows = std::make_unique<X11DesktopWindows>(Connection);
    TRefusingLauncher NoLaunch;
    THotKeyCommand Command;

    TSetup() {
        Command.LookForWindow = SearchText;
        Command.Exec = "/bin/false";
    }
    ~TSetup() {
        Windows.reset();
        xcb_disconnect(Connection);
    }
};

std::unique_ptr<TSetup>& Setup() {
    static std::unique_ptr<TSetup> Shared;
    if (!Shared) {
        Shared = std::make_unique<TSetup>();
    }
    return Shared;
}

template <class TRun>
void Measured(benchmark::State& State, TRun Run) {
    try {
        TSetup& S = *Setup();
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

void BM_ActivateTulma(benchmark::State& State) {
    Measured(State, [](TSetup& S) { S.Command.ExecuteCommand(*S.Windows, S.NoLaunch); });
}

void BM_ActivateWmctrl(benchmark::State& State) {
    pid_t Wmctrl = -1;
    Measured(State, [&Wmctrl](TSetup&) { Wmctrl = test::Spawn({"wmctrl", "-a", SearchText}); });
    if (Wmctrl > 0) {
        waitpid(Wmctrl, nullptr, 0);
    }
}

// Where Tulma's time goes: the search alone (stacking list, every title, the match), no activation.
void BM_SearchOnlyTulma(benchmark::State& State) {
    try {
        TSetup& S = *Setup();
        S.Scene.Reset();
        const std::string Pattern = std::string("*") + SearchText + "*";
        for (auto _ : State) {
            const std::int64_t Before = MonotonicNs();
            WindowHandle Found = 0;
            for (const WindowHandle Window : S.Windows->TopLevelWindows()) {
                const std::string Title = S.Windows->WindowTitle(Window);
                if (!Title.empty() && MatchesPattern(Title, Pattern)) {
                    Found = Window;
                    break;
                }
            }
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
    for (auto* Bench : {benchmark::RegisterBenchmark("ActivateDeepWindow/tulma", BM_ActivateTulma),
                        benchmark::RegisterBenchmark("ActivateDeepWindow/wmctrl", BM_ActivateWmctrl),
                        benchmark::RegisterBenchmark("SearchOnly/tulma", BM_SearchOnlyTulma)}) {
        Bench->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);
        AddTailStatistics(Bench);
    }
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    try {
        tulma::bench::Register();
        const int Result = tulma::bench::RunSideBySide(Argc, Argv, 100);
        tulma::bench::Setup().reset();
        return Result;
    } catch (const std::exception& Error) {
        std::cerr << "bench_window_search: " << Error.what() << std::endl;
        return 1;
    }
}
