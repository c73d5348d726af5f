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

// Chooses Qt's platform unless QT_QPA_PLATFORM does: Wayland in a Wayland session (X11 when its
// compositor cannot be reached), else X11. X11 windows and grabs are reached through a connection of the
// program's own when Qt is not on X11. Under KWin, which decorates windows itself, Qt draws no
// decorations (nor sets up EGL to decide whether it may).
void ChooseQtPlatform();

}  // namespace tulma
