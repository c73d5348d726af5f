#pragma once

#include <xcb/xcb.h>

#include <utility>

namespace tulma {

// Owns a connection to an X display and closes it when it goes. A connection that failed is owned too
// (xcb gives one that only reports its error).
class TXcbConnection {
  public:
    // Display: a name such as ":1"; null for $DISPLAY.
    explicit TXcbConnection(const char* Display = nullptr) : Connection(xcb_connect(Display, nullptr)) {}
    TXcbConnection(TXcbConnection&& Other) noexcept : Connection(std::exchange(Other.Connection, nullptr)) {}
    TXcbConnection& operator=(TXcbConnection&& Other) noexcept {
        std::swap(Connection, Other.Connection);
        return *this;
    }
    ~TXcbConnection() {
        if (Connection != nullptr) {
            xcb_disconnect(Connection);
        }
    }

    xcb_connection_t* Get() const { return Connection; }
    bool Failed() const { return xcb_connection_has_error(Connection) != 0; }

  private:
    xcb_connection_t* Connection;
};

}  // namespace tulma
