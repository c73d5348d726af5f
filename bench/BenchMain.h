#pragma once

namespace tulma::bench {

// Runs the registered benchmarks with this harness's defaults (Repetitions one-press samples,
// contenders interleaved at random so that a change in the machine's load hits both alike, aggregates
// only), which arguments given on the command line override, then prints the side-by-side summary.
// Returns the process exit code.
int RunSideBySide(int Argc, char** Argv, int Repetitions);

}  // namespace tulma::bench
