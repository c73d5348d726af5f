#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace tulma {

// Ends the event loop on SIGTERM and SIGHUP (the session ends, or someone asks the program to stop), so
// that the program leaves through its normal way out: backends take back what they put in the desktop.
// The handler only writes a byte to a pipe; the loop reads it. One instance at a time.
class TSessionEndSignals : public QObject {
    Q_OBJECT
  public:
    explicit TSessionEndSignals(QObject* Parent = nullptr);
    ~TSessionEndSignals() override;

  private:
    std::unique_ptr<QSocketNotifier> Readable;
};

}  // namespace tulma
