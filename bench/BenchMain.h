#pragma once

namespace tulma::bench {

// Runs the registered benchmarks with this harness's defaults (Repetitions one-press samples,
// contenders interleaved at random so that a change in the machine's load hits both alike, aggregates
// only), which arguments given on the command line override, then prints the side-by-side summary.
// The whole run, with the X servers and daemons it started, is killed after TimeLimitMinutes: a
// contender that stops answering must not leave the harness (or a script waiting on it) hanging.
// Returns the process exit code.
int RunSideBySide(int Argc, char** Argv, int Repetitions, int TimeLimitMinutes = 20);

}  // namespace tulma::bench
