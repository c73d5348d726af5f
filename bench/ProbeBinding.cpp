#include "ProbeBinding.h"

#include <chrono>
#include <stdexcept>
#include <thread>

#include "OrphanReaper.h"

namespace tulma::bench {
namespace {

constexpr int LaunchTimeoutMs = 5000;

}  // namespace

TProbeBinding::TProbeBinding(const std::string& PipePath, std::function<std::int64_t()> Press)
    : Pipe(PipePath), Press(std::move(Press)) {}

double TProbeBinding::PressToLaunch() {
    const std::int64_t Before = Press();
    const auto Launch = Pipe.Read(LaunchTimeoutMs);
    if (!Launch) {
        throw std::runtime_error("nothing started within 5 s of the press");
    }
    ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
    if (!Pipe.Drain().empty()) {
        throw std::runtime_error("the program started more than once for one press");
    }
    return static_cast<double>(Launch->StartNs - Before) / 1e9;
}

void TProbeBinding::WaitUntilAnswering() {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int Answered = 0; Answered < 5;) {
        if (std::chrono::steady_clock::now() > Deadline) {
            throw std::runtime_error("the binding did not answer within 30 s");
        }
        Press();
        const auto Launch = Pipe.Read(1000);
        Answered = Launch ? Answered + 1 : 0;
        if (Launch) {
            ReapWhenGone(static_cast<pid_t>(Launch->Pid), LaunchTimeoutMs);
        }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Pipe.Drain();
}

}  // namespace tulma::bench
