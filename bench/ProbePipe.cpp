#include "ProbePipe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tulma::bench {

TProbePipe::TProbePipe(std::string Path) : FifoPath(std::move(Path)) {
    if (mkfifo(FifoPath.c_str(), 0600) != 0) {
        throw std::runtime_error("mkfifo " + FifoPath + ": " + std::strerror(errno));
    }
    Fd = open(FifoPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
        throw std::runtime_error("open " + FifoPath + ": " + std::strerror(errno));
    }
}

TProbePipe::~TProbePipe() {
    close(Fd);
    unlink(FifoPath.c_str());
}

std::optional<TLaunchRecord> TProbePipe::Read(int TimeoutMs) {
    pollfd Wait{Fd, POLLIN, 0};
    int Ready = 0;
    do {
        Ready = poll(&Wait, 1, TimeoutMs);
    } while (Ready < 0 && errno == EINTR);
    if (Ready <= 0) {
        return std::nullopt;
    }
    TLaunchRecord Record;
    if (read(Fd, &Record, sizeof Record) != static_cast<ssize_t>(sizeof Record)) {
        return std::nullopt;
    }
    return Record;
}

std::vector<TLaunchRecord> TProbePipe::Drain() {
    std::vector<TLaunchRecord> Waiting;
    while (const auto Record = Read(0)) {
        Waiting.push_back(*Record);
    }
    return Waiting;
}

}  // namespace tulma::bench
