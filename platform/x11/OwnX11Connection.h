#pragma once

#include <QObject>

#include <memory>

#include "XcbConnection.h"

class QSocketNotifier;

namespace tulma {

// An X connection of the program's own, for when Qt draws its windows on another platform (Wayland) but
// X11 windows and grabs are still to be reached through XWayland. Its events go to the application's
// native event filters as Qt's own xcb events would, so the X11 code is the same on either.
class TOwnX11Connection : public QObject {
    Q_OBJECT
  public:
    // Opens DISPLAY; Failed() tells whether that worked.
    TOwnX11Connection();
    ~TOwnX11Connection() override;

    xcb_connection_t* Get() const { return Connection.Get(); }
    bool Failed() const { return Connection.Failed(); }

  private:
    TXcbConnection Connection;
    std::unique_ptr<QSocketNotifier> Readable;

    // Replies waited for may have queued events without the socket becoming readable again, and requests
    // sit in xcb's buffer until flushed: both are dealt with each time the event loop is about to sleep.
    void Dispatch(bool ReadSocket);
};

}  // namespace tulma
