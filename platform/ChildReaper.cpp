#include "ChildReaper.h"

#include <QSocketNotifier>

#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tulma {

namespace {

int OpenProcessFd(pid_t Pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, Pid, 0));
#else
    (void)Pid;
    return -1;
#endif
}

}  // namespace

TChildReaper::TChildReaper(QObject* Parent) : QObject(Parent) {
    Sweep.setInterval(SweepMs);
    connect(&Sweep, &QTimer::timeout, this, &TChildReaper::SweepEnded);
}

TChildReaper::TChild::TChild(int ProcessFd, TChildReaper* Reaper) : ProcessFd(ProcessFd) {
    if (ProcessFd >= 0) {
        Ended = new QSocketNotifier(ProcessFd, QSocketNotifier::Read, Reaper);
    }
}

TChildReaper::TChild::~TChild() {
    if (Ended != nullptr) {
        Ended->setEnabled(false);
        Ended->deleteLater();
    }
}

// Children still running when we go are adopted by init, which reaps them.
TChildReaper::~TChildReaper() = default;

void TChildReaper::Adopt(pid_t Pid) {
    if (Reap(Pid)) {
        return;
    }
    auto Entry = std::make_unique<TChild>(OpenProcessFd(Pid), this);
    if (Entry->Ended == nullptr) {
        // Not restarted by every start: quick starts in a row would hold off the sweep.
        if (!Sweep.isActive()) {
            Sweep.start();
        }
    } else {
        // The descriptor becomes readable when the child ends, also when it had already ended.
        connect(Entry->Ended, &QSocketNotifier::activated, this, [this, Pid] {
            if (Reap(Pid)) {
                Children.erase(Pid);
            }
        });
    }
    Children[Pid] = std::move(Entry);
}

// True when the child has ended and is collected, or is not ours (any more).
bool TChildReaper::Reap(pid_t Pid) {
    pid_t Result;
    do {
        Result = waitpid(Pid, nullptr, WNOHANG);
    } while (Result < 0 && errno == EINTR);
    return Result != 0;
}

void TChildReaper::SweepEnded() {
    std::erase_if(Children,
                  [this](const auto& Entry) { return Entry.second->Ended == nullptr && Reap(Entry.first); });
    const bool Waiting = std::any_of(Children.begin(), Children.end(),
                                     [](const auto& Entry) { return Entry.second->Ended == nullptr; });
    if (!Waiting) {
        Sweep.stop();
    }
}

}  // namespace tulma
