#pragma once

#include <string>

namespace tulma {

// Whether the desktop session is a Wayland one (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE "wayland").
// Key grabs through XWayland then see only the keys pressed in X11 programs.
bool IsWaylandSession();

// What the session says of itself, for a report: its type (XDG_SESSION_TYPE, else guessed from the
// display variables), its desktop (XDG_CURRENT_DESKTOP) and the program serving the Wayland display.
struct TSessionFacts {
    std::string Type;
    std::string Desktop;
    std::string Compositor;
};
TSessionFacts DescribeSession();

// Has Qt use its X11 platform unless QT_QPA_PLATFORM chooses one: hotkeys and window search work on
// X11, which a Wayland session offers through XWayland.
void PreferX11Platform();

}  // namespace tulma
