#pragma once

#include <memory>

namespace tulma {

class TX11DisplayProbe;

// Checked before Qt starts its GUI: the constructor throws, with one line naming the variables looked at
// (DISPLAY, WAYLAND_DISPLAY) and any that is set but cannot be reached, when neither an X nor a Wayland
// display answers. It holds its X connection until destroyed, which is to happen once Qt holds its own.
class TGraphicalSession {
  public:
    TGraphicalSession();
    ~TGraphicalSession();
    TGraphicalSession(const TGraphicalSession&) = delete;
    TGraphicalSession& operator=(const TGraphicalSession&) = delete;

  private:
    std::unique_ptr<TX11DisplayProbe> Probe;
};

}  // namespace tulma
