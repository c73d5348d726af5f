// From a real key press (XTest) to the first statement of the started program: the real tulma program
// against sxhkd, each on a display of its own with openbox, bound to the same key and program: as the only
// hotkey and among 1,000 with Tulma idling minimised, and with another program's or Tulma's own window
// focused; and, idling, the floor daemon, which starts the probe from the grab with nothing in between.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "HotKeyDaemon.h"
#include "PressToLaunchHarness.h"

namespace tulma::bench {
namespace {

using TKind = THotKeyDaemon::TKind;
using TFocus = THotKeyDaemon::TFocus;

using TSetup = std::tuple<TKind, int, TFocus>;

// Each daemon is started at its first sample and kept for all of them.
std::map<TSetup, std::unique_ptr<THotKeyDaemon>>& Daemons() {
    static std::map<TSetup, std::unique_ptr<THotKeyDaemon>> Running;
    return Running;
}

THotKeyDaemon& DaemonOf(TSetup Setup) {
    auto& Slot = Daemons()[Setup];
    if (!Slot) {
        Slot = std::make_unique<THotKeyDaemon>(std::get<0>(Setup), std::get<1>(Setup), std::get<2>(Setup));
    }
    return *Slot;
}

void BM_PressToLaunch(benchmark::State& State, TSetup Setup) {
    MeasurePresses(State, [Setup] { return DaemonOf(Setup).PressToLaunch(); });
}

struct TScenario {
    const char* Family;
    int Bindings;
    TFocus Focus;
};

// Idling minimised with 1 and with 1,000 hotkeys; then, with one, another program's window focused (the
// daily case) and Tulma's own window focused (while editing hotkeys).
constexpr TScenario Scenarios[] = {{"PressToLaunch", 1, TFocus::Nothing},
                                   {"PressToLaunch1000", 1000, TFocus::Nothing},
                                   {"PressToLaunch-OtherWindowFocused", 1, TFocus::OtherWindow},
                                   {"PressToLaunch-OwnWindowFocused", 1, TFocus::OwnWindow}};

void RegisterContender(const TScenario& Scenario, const char* Contender, TKind Kind) {
    const std::string Name = std::string(Scenario.Family) + "/" + Contender;
    ConfigurePressBenchmark(benchmark::RegisterBenchmark(Name.c_str(), BM_PressToLaunch,
                                                         TSetup{Kind, Scenario.Bindings, Scenario.Focus}));
}

// The floor, once: what no daemon can go below on this machine.
void Register() {
    for (const TScenario& Scenario : Scenarios) {
        RegisterContender(Scenario, "tulma", TKind::Tulma);
        RegisterContender(Scenario, "sxhkd", TKind::Sxhkd);
    }
    RegisterContender(Scenarios[0], "floor", TKind::Floor);
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    return tulma::bench::PressToLaunchMain("bench_press_to_launch", Argc, Argv, 200, tulma::bench::Register,
                                           [] { tulma::bench::Daemons().clear(); });
}
