#pragma once

#include <sys/types.h>

#include <string>

namespace tulma::test {

// What a long-running process holds, read from /proc.
struct ProcessFigures {
    int OpenFiles = 0;
    long ResidentKb = 0;
    int Threads = 0;
    // Children that have ended and were not reaped.
    int Zombies = 0;
};

ProcessFigures FiguresOf(pid_t Pid);

// "fds 14 -> 14, rss 51234 -> 51300 kB, threads 4 -> 4, zombies 0 -> 0".
std::string Compare(const ProcessFigures& Before, const ProcessFigures& After);

}  // namespace tulma::test
