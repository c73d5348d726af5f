#pragma once

#include <sys/types.h>

namespace tulma::bench {

// Makes this process the reaper of orphans among its descendants: programs that a hotkey daemon starts
// detached end up as its children, so that a benchmark can wait for each to be gone before the next
// press, as init would reap them on a desktop.
void BecomeSubreaper();

// Waits until the process Pid has ended and is reaped (by this process when it was handed over to it),
// at most TimeoutMs. Returns whether it is gone.
bool ReapWhenGone(pid_t Pid, int TimeoutMs);

}  // namespace tulma::bench
