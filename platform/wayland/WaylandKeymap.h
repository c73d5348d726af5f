#pragma once

#include <memory>
#include <optional>
#include <string>

#include "KeyboardLayout.h"

struct wl_display;
struct wl_keyboard;
struct wl_registry;
struct wl_seat;
struct xkb_context;
struct xkb_keymap;

namespace tulma {

// An xkb keymap's first two groups as a layout table.
TKeyboardLayout KeyboardLayoutOf(xkb_keymap* Keymap);

// The keyboard layout the Wayland compositor gives its clients, kept up to date through a connection of
// the program's own to WAYLAND_DISPLAY.
class TWaylandKeymap {
  public:
    TWaylandKeymap();
    ~TWaylandKeymap();
    TWaylandKeymap(const TWaylandKeymap&) = delete;
    TWaylandKeymap& operator=(const TWaylandKeymap&) = delete;

    // The layout as the compositor has it now; none without a display, a keyboard or a readable keymap.
    std::optional<TKeyboardLayout> Layout();

    // Called by the protocol's listeners.
    void SeatOffered(wl_registry* Registry, std::uint32_t Name, std::uint32_t Version);
    void SeatCapabilities(std::uint32_t Capabilities);
    void KeymapGiven(std::uint32_t Format, int Fd, std::uint32_t Size);

  private:
    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    wl_seat* Seat = nullptr;
    wl_keyboard* Keyboard = nullptr;
    std::unique_ptr<xkb_context, void (*)(xkb_context*)> Context;
    std::optional<TKeyboardLayout> Current;
};

}  // namespace tulma
