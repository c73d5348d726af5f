#pragma once

#include <xcb/xcb.h>

namespace tulma {

// An X connection held while Qt makes its own: Qt would end the program if no display answered, and an
// X server that has lost its last client resets itself, refusing connections for a moment.
class TX11DisplayProbe {
  public:
    TX11DisplayProbe() : Connection(xcb_connect(nullptr, nullptr)) {}
    ~TX11DisplayProbe() { xcb_disconnect(Connection); }
    TX11DisplayProbe(const TX11DisplayProbe&) = delete;
    TX11DisplayProbe& operator=(const TX11DisplayProbe&) = delete;

    bool Reachable() const { return xcb_connection_has_error(Connection) == 0; }

  private:
    xcb_connection_t* Connection;
};

}  // namespace tulma
