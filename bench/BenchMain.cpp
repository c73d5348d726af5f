#include "BenchMain.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "SideBySideReporter.h"

namespace tulma::bench {

namespace {

// The harness leads a process group of its own, which every server and daemon it starts joins, so
// that one signal ends them all.
void KillAllAfter(int Minutes) {
    setpgid(0, 0);
    std::thread([Minutes] {
        std::this_thread::sleep_for(std::chrono::minutes(Minutes));
        const char Message[] = "\nThe benchmark ran past its time limit and was stopped.\n";
        [[maybe_unused]] const ssize_t Written = write(STDERR_FILENO, Message, sizeof Message - 1);
        kill(0, SIGKILL);
    }).detach();
}

}  // namespace

int RunSideBySide(int Argc, char** Argv, int Repetitions, int TimeLimitMinutes) {
    KillAllAfter(TimeLimitMinutes);
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
