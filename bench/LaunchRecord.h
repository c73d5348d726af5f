#pragma once

#include <sys/types.h>
#include <time.h>

#include <cstdint>

namespace tulma::bench {

// What the launch probe sends back: when its main() began, and its pid.
struct TLaunchRecord {
    std::int64_t StartNs = 0;
    std::int64_t Pid = 0;
};

// The monotonic clock in nanoseconds; the same clock in every process of the machine.
inline std::int64_t MonotonicNs() {
    timespec Now{};
    clock_gettime(CLOCK_MONOTONIC, &Now);
    return static_cast<std::int64_t>(Now.tv_sec) * 1000000000 + Now.tv_nsec;
}

}  // namespace tulma::bench
