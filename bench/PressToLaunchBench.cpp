// From a real key press (XTest) to the first statement of the started program: the real tulma program
// against sxhkd, each on a display of its own, bound to the same key and program, once as the only
// hotkey and once among 1,000.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "HotKeyDaemon.h"
#include "PressToLaunchHarness.h"

namespace tulma::bench {
namespace {

using TKind = THotKeyDaemon::TKind;

using TSetup = std::pair<TKind, int>;

// Each daemon is started at its first sample and kept for all of them.
std::map<TSetup, std::unique_ptr<THotKeyDaemon>>& Daemons() {
    static std::map<TSetup, std::unique_ptr<THotKeyDaemon>> Running;
    return Running;
}

THotKeyDaemon& DaemonOf(TSetup Setup) {
    auto& Slot = Daemons()[Setup];
    if (!Slot) {
        Slot = std::make_unique<THotKeyDaemon>(Setup.first, Setup.second);
    }
    return *Slot;
}

void BM_PressToLaunch(benchmark::State& State, TSetup Setup) {
    MeasurePresses(State, [Setup] { return DaemonOf(Setup).PressToLaunch(); });
}

void Register() {
    for (const auto& [Family, Bindings] :
         {std::pair{"PressToLaunch", 1}, std::pair{"PressToLaunch1000", 1000}}) {
        for (const auto& [Contender, Kind] :
             {std::pair{"tulma", TKind::Tulma}, std::pair{"sxhkd", TKind::Sxhkd}}) {
            const std::string Name = std::string(Family) + "/" + Contender;
            ConfigurePressBenchmark(
                benchmark::RegisterBenchmark(Name.c_str(), BM_PressToLaunch, TSetup{Kind, Bindings}));
        }
    }
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_press_to_launch", Argc, Argv, 200, tulma::bench::Register,
                                           [] { tulma::bench::Daemons().clear(); });
}
