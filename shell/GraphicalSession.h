#pragma once

#include <memory>

struct xcb_connection_t;

namespace tulma {

// An X connection held while Qt makes its own: Qt would end the program if no display answered, and an
// X server that has lost its last client resets itself, refusing connections for a moment.
class TDisplayProbe {
  public:
    TDisplayProbe();
    ~TDisplayProbe();
    TDisplayProbe(const TDisplayProbe&) = delete;
    TDisplayProbe& operator=(const TDisplayProbe&) = delete;

    bool Reachable() const;

  private:
    xcb_connection_t* Connection;
};

// Before Qt starts its GUI: throws, with one line naming the variables looked at (DISPLAY,
// WAYLAND_DISPLAY) and any that is set but cannot be reached, when neither an X nor a Wayland display
// answers. The probe it returns is to be released once Qt holds its own connection.
std::unique_ptr<TDisplayProbe> RequireGraphicalSession();

}  // namespace tulma
