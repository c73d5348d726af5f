#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <string>
#include <vector>

#include "SideBySideReporter.h"

namespace tulma::bench {

int RunSideBySide(int Argc, char** Argv, int Repetitions) {
    std::vector<std::string> Arguments = {Argv[0], "--benchmark_repetitions=" + std::to_string(Repetitions),
                                          "--benchmark_enable_random_interleaving=true",
                                          "--benchmark_report_aggregates_only=true"};
    Arguments.insert(Arguments.end(), Argv + 1, Argv + Argc);
    std::vector<char*> Pointers;
    for (std::string& Argument : Arguments) {
        Pointers.push_back(Argument.data());
    }
    int Count = static_cast<int>(Pointers.size());
    Pointers.push_back(nullptr);
    benchmark::Initialize(&Count, Pointers.data());
    if (benchmark::ReportUnrecognizedArguments(Count, Pointers.data())) {
        return 2;
    }
    TSideBySideReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    benchmark::Shutdown();
    const bool InFavour = Reporter.PrintSummary(std::cout);
    std::cout << (InFavour ? "\nAll targets met.\n" : "\nSome targets NOT met.\n");
    return 0;
}

}  // namespace tulma::bench
