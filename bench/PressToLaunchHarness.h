#pragma once

#include <benchmark/benchmark.h>

#include <functional>

namespace tulma::bench {

// Times the presses of one sample: PressToLaunch presses once and returns the seconds until the started
// program's first statement. A failure skips the sample with its message.
void MeasurePresses(benchmark::State& State, const std::function<double()>& PressToLaunch);

// Manual time in microseconds, one press a sample, with the tail statistics of the side-by-side report.
void ConfigurePressBenchmark(benchmark::internal::Benchmark* Bench);

// The main of a press-to-launch harness: registers the classes, adopts the programs the daemons start,
// registers the benchmarks (Register) and runs them side by side; StopDaemons ends the daemons, also
// after a failure, which is reported under the harness's Name.
int PressToLaunchMain(const char* Name, int Argc, char** Argv, int Repetitions,
                      const std::function<void()>& Register, const std::function<void()>& StopDaemons);

}  // namespace tulma::bench
