// From a real key press (XTest) to the first statement of the started program: the real tulma program
// against sxhkd, each on a display of its own, bound to the same key and program.
#include <benchmark/benchmark.h>

#include <chrono>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <thread>

#include "BenchMain.h"
#include "ClassRegistration.h"
#include "HotKeyDaemon.h"
#include "LatencyStatistics.h"
#include "OrphanReaper.h"

namespace tulma::bench {
namespace {

using TKind = THotKeyDaemon::TKind;

// Each daemon is started at its first sample and kept for all of them.
std::map<TKind, std::unique_ptr<THotKeyDaemon>>& Daemons() {
    static std::map<TKind, std::unique_ptr<THotKeyDaemon>> Running;
    return Running;
}

THotKeyDaemon& DaemonOf(TKind Kind) {
    auto& Slot = Daemons()[Kind];
    if (!Slot) {
        Slot = std::make_unique<THotKeyDaemon>(Kind);
    }
    return *Slot;
}

// A user does not press a hotkey the instant the last program started: a pause of 60-100 ms lets the
// daemon go idle, and its jitter keeps presses out of step with any timer of the daemon.
void PauseBetweenPresses() {
    static std::mt19937 Random(12345);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(60, 100)(Random)));
}

void BM_PressToLaunch(benchmark::State& State, TKind Kind) {
    try {
        THotKeyDaemon& Daemon = DaemonOf(Kind);
        for (auto _ : State) {
            State.SetIterationTime(Daemon.PressToLaunch());
        }
        PauseBetweenPresses();
    } catch (const std::exception& Error) {
        State.SkipWithError(Error.what());
    }
}

void Register() {
    for (const auto& [Name, Kind] :
         {std::pair{"PressToLaunch/tulma", TKind::Tulma}, std::pair{"PressToLaunch/sxhkd", TKind::Sxhkd}}) {
        auto* Bench = benchmark::RegisterBenchmark(Name, BM_PressToLaunch, Kind);
        Bench->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);
        AddTailStatistics(Bench);
    }
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    try {
        tulma::RegisterAllClasses();
        tulma::bench::BecomeSubreaper();
        tulma::bench::Register();
        const int Result = tulma::bench::RunSideBySide(Argc, Argv, 200);
        tulma::bench::Daemons().clear();
        return Result;
    } catch (const std::exception& Error) {
        tulma::bench::Daemons().clear();
        std::cerr << "bench_press_to_launch: " << Error.what() << std::endl;
        return 1;
    }
}
