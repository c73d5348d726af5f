#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "PressToLaunchHarness.h"
#include "ProbePipe.h"

namespace tulma::bench {

// A key binding of the desktop that starts the launch probe, whichever program runs it: Press sends one
// press and returns the time just before it was sent.
class TProbeBinding {
  public:
    TProbeBinding(const std::string& PipePath, std::function<std::int64_t()> Press);

    const std::string& PipePath() const { return Pipe.Path(); }
    // Seconds from a press to the probe's first statement; throws when nothing or more than one started.
    double PressToLaunch();
    // Presses until five in a row start the probe: a binding made at run time takes a moment.
    void WaitUntilAnswering();

  private:
    TProbePipe Pipe;
    std::function<std::int64_t()> Press;
};

// The binding of type TBinding, made at its first press and kept until the harness stops the daemons.
template <class TBinding>
std::unique_ptr<TBinding>& Running() {
    static std::unique_ptr<TBinding> Binding;
    return Binding;
}

template <class TBinding>
void BM_BindingPressToLaunch(benchmark::State& State) {
    MeasurePresses(State, [] {
        if (!Running<TBinding>()) {
            Running<TBinding>() = std::make_unique<TBinding>();
        }
        return Running<TBinding>()->PressToLaunch();
    });
}

}  // namespace tulma::bench
