#include "SessionEndSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

#include <array>
#include <system_error>

namespace tulma {
namespace {

constexpr std::array<int, 3> Handled = {SIGTERM, SIGINT, SIGHUP};
// Written by the handler, which may only make async-signal-safe calls.
volatile sig_atomic_t SignalPipe = -1;

void OnSignal(int Signal) {
    const int SavedErrno = errno;
    const auto Byte = static_cast<unsigned char>(Signal);
    [[maybe_unused]] const ssize_t Written = write(SignalPipe, &Byte, 1);
    errno = SavedErrno;
}

}  // namespace

TSessionEndSignals::TSessionEndSignals(QObject* Parent) : QObject(Parent) {
    int Pipe[2] = {-1, -1};
    if (pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot watch for the session's end");
    }
    ReadEnd.Reset(Pipe[0]);
    WriteEnd.Reset(Pipe[1]);
    SignalPipe = WriteEnd.Get();
    Notifier = new QSocketNotifier(ReadEnd.Get(), QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &TSessionEndSignals::Receive);
    struct sigaction Action {};
    Action.sa_handler = OnSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (const int Signal : Handled) {
        sigaction(Signal, &Action, nullptr);
    }
}

TSessionEndSignals::~TSessionEndSignals() {
    for (const int Signal : Handled) {
        signal(Signal, SIG_DFL);
    }
    SignalPipe = -1;
}

void TSessionEndSignals::Receive() {
    unsigned char Signal = 0;
    while (read(ReadEnd.Get(), &Signal, 1) == 1) {
        emit Ended(Signal);
    }
}

}  // namespace tulma
