#pragma once

#include <QObject>

#include "FileDescriptor.h"

class QSocketNotifier;

namespace tulma {

// SIGTERM, SIGINT and SIGHUP (a session's end, Ctrl+C, a closed terminal) turned into a signal of the
// event loop, so that the program ends through its normal quit path. One at a time; the default
// handling comes back with its end.
class TSessionEndSignals : public QObject {
    Q_OBJECT
  public:
    explicit TSessionEndSignals(QObject* Parent = nullptr);
    ~TSessionEndSignals() override;
    TSessionEndSignals(const TSessionEndSignals&) = delete;
    TSessionEndSignals& operator=(const TSessionEndSignals&) = delete;

  signals:
    void Ended(int Signal);

  private:
    TFileDescriptor ReadEnd;
    TFileDescriptor WriteEnd;
    QSocketNotifier* Notifier = nullptr;

    void Receive();
};

}  // namespace tulma
