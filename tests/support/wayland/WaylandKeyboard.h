#pragma once

#include <cstdint>

struct org_kde_kwin_fake_input;
struct wl_display;
struct wl_registry;

namespace tulma::test {

// Key presses that a KWin Wayland compositor takes for a keyboard's (its fake-input protocol, version
// 4): global shortcuts see them. Keys are evdev codes. Throws std::runtime_error without a Wayland
// display or the protocol.
class WaylandKeyboard {
  public:
    WaylandKeyboard();
    ~WaylandKeyboard();
    WaylandKeyboard(const WaylandKeyboard&) = delete;
    WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

    // Sends the key event without waiting: Flush or Sync delivers it.
    void Press(std::uint32_t Code);
    void Release(std::uint32_t Code);
    // Hands the events sent so far to the compositor.
    void Flush();
    // Waits until the compositor has handled the events sent so far.
    void Sync();

  private:
    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    org_kde_kwin_fake_input* FakeInput = nullptr;
};

}  // namespace tulma::test
