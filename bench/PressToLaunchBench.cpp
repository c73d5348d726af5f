// From a real key press (XTest) to the first statement of the started program: the real tulma program
// against sxhkd, each on a display of its own, bound to the same key and program.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "HotKeyDaemon.h"
#include "PressToLaunchHarness.h"

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

void BM_PressToLaunch(benchmark::State& State, TKind Kind) {
    MeasurePresses(State, [Kind] { return DaemonOf(Kind).PressToLaunch(); });
}

void Register() {
    for (const auto& [Name, Kind] :
         {std::pair{"PressToLaunch/tulma", TKind::Tulma}, std::pair{"PressToLaunch/sxhkd", TKind::Sxhkd}}) {
        ConfigurePressBenchmark(benchmark::RegisterBenchmark(Name, BM_PressToLaunch, Kind));
    }
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_press_to_launch", Argc, Argv, 200, tulma::bench::Register,
                                           [] { tulma::bench::Daemons().clear(); });
}
