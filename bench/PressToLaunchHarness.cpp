#include "PressToLaunchHarness.h"

#include <chrono>
#include <exception>
#include <iostream>
#include <random>
#include <thread>

#include "BenchMain.h"
#include "ClassRegistration.h"
#include "LatencyStatistics.h"
#include "OrphanReaper.h"

namespace tulma::bench {
namespace {

// A user does not press a hotkey the instant the last program started: a pause of 60-100 ms lets the
// daemon go idle, and its jitter keeps presses out of step with any timer of the daemon.
void PauseBetweenPresses() {
    static std::mt19937 Random(12345);
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(60, 100)(Random)));
}

}  // namespace

void MeasurePresses(benchmark::State& State, const std::function<double()>& PressToLaunch) {
    try {
        for (auto _ : State) {
            State.SetIterationTime(PressToLaunch());
        }
        PauseBetweenPresses();
    } catch (const std::exception& Error) {
        State.SkipWithError(Error.what());
    }
}

void ConfigurePressBenchmark(benchmark::internal::Benchmark* Bench) {
    Bench->UseManualTime()->Iterations(1)->Unit(benchmark::kMicrosecond);
    AddTailStatistics(Bench);
}

int PressToLaunchMain(const char* Name, int Argc, char** Argv, int Repetitions,
                      const std::function<void()>& Register, const std::function<void()>& StopDaemons) {
    try {
        RegisterAllClasses();
        BecomeSubreaper();
        Register();
        const int Result = RunSideBySide(Argc, Argv, Repetitions);
        StopDaemons();
        return Result;
    } catch (const std::exception& Error) {
        StopDaemons();
        std::cerr << Name << ": " << Error.what() << std::endl;
        return 1;
    }
}

}  // namespace tulma::bench
