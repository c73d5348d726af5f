#include "SessionEndSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <stdexcept>

namespace tulma {
namespace {

constexpr std::array<int, 2> Ending{SIGTERM, SIGHUP};
// Written by the handler, read by the event loop.
std::array<int, 2> Pipe{-1, -1};

void Caught(int) {
    const char Byte = 1;
    [[maybe_unused]] const ssize_t Ignored = write(Pipe[1], &Byte, 1);
}

}  // namespace

TSessionEndSignals::TSessionEndSignals(QObject* Parent) : QObject(Parent) {
    if (pipe2(Pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("no pipe for the session's end signals");
    }
    Readable = std::make_unique<QSocketNotifier>(Pipe[0], QSocketNotifier::Read);
    connect(Readable.get(), &QSocketNotifier::activated, this, [] {
        char Byte = 0;
        while (read(Pipe[0], &Byte, 1) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction Action {};
    Action.sa_handler = Caught;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (const int Signal : Ending) {
        sigaction(Signal, &Action, nullptr);
    }
}

TSessionEndSignals::~TSessionEndSignals() {
    for (const int Signal : Ending) {
        signal(Signal, SIG_DFL);
    }
    Readable.reset();
    close(Pipe[0]);
    close(Pipe[1]);
    Pipe = {-1, -1};
}

}  // namespace tulma
