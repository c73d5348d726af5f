// The program a benchmarked hotkey starts: it reads the monotonic clock before anything else and sends
// that time and its pid to the pipe named by its argument. No stdio and no allocation, so that little
// lies between its start and the reading.
#include <fcntl.h>
#include <unistd.h>

#include "LaunchRecord.h"

int main(int argc, char** argv) {
    const std::int64_t Started = tulma::bench::MonotonicNs();
    if (argc < 2) {
        return 2;
    }
    const tulma::bench::TLaunchRecord Record{Started, getpid()};
    const int Pipe = open(argv[1], O_WRONLY | O_CLOEXEC);
    if (Pipe < 0) {
        return 3;
    }
    // One write below PIPE_BUF arrives whole.
    const bool Sent = write(Pipe, &Record, sizeof Record) == static_cast<ssize_t>(sizeof Record);
    close(Pipe);
    return Sent ? 0 : 4;
}
