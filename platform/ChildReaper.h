#pragma once

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

#include <sys/types.h>

#include "FileDescriptor.h"

class QSocketNotifier;

namespace tulma {

// Collects the exit status of started programs as they end, from the event loop, so that none stays
// behind as a zombie however long we run. Each child is watched through a process descriptor; where
// the kernel has none, the children are looked at on a timer.
class TChildReaper : public QObject {
    Q_OBJECT
  public:
    static constexpr int SweepMs = 500;

    explicit TChildReaper(QObject* Parent = nullptr);
    ~TChildReaper() override;
    TChildReaper(const TChildReaper&) = delete;
    TChildReaper& operator=(const TChildReaper&) = delete;

    // Takes on a child of this process.
    void Adopt(pid_t Pid);
    // Children started and not yet ended.
    std::size_t Running() const { return Children.size(); }

  private:
    // A child's process descriptor and its notifier (a Qt child of the reaper, so that it can be let go
    // while it signals); without a descriptor the sweep looks after the child.
    struct TChild {
        TChild(int ProcessFd, TChildReaper* Reaper);
        ~TChild();
        TChild(const TChild&) = delete;
        TChild& operator=(const TChild&) = delete;

        TFileDescriptor ProcessFd;
        QSocketNotifier* Ended = nullptr;
    };

    std::map<pid_t, std::unique_ptr<TChild>> Children;
    QTimer Sweep;

    bool Reap(pid_t Pid);
    void SweepEnded();
};

}  // namespace tulma
