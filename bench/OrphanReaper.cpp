#include "OrphanReaper.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

namespace tulma::bench {

void BecomeSubreaper() {
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        throw std::runtime_error("cannot become the reaper of orphaned launches");
    }
}

bool ReapWhenGone(pid_t Pid, int TimeoutMs) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    const std::filesystem::path Entry = "/proc/" + std::to_string(Pid);
    while (std::chrono::steady_clock::now() < Deadline) {
        if (waitpid(Pid, nullptr, WNOHANG) == Pid) {
            return true;
        }
        // Not (yet) ours: its parent, about to exit, may still hold it, or another reaper took it.
        std::error_code Ignored;
        if (!std::filesystem::exists(Entry, Ignored)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return false;
}

}  // namespace tulma::bench
