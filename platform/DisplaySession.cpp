#include "DisplaySession.h"

#include <cstdlib>
#include <string_view>

namespace tulma {

bool IsWaylandSession() {
    const char* WaylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const char* SessionType = std::getenv("XDG_SESSION_TYPE");
    return (WaylandDisplay != nullptr && WaylandDisplay[0] != '\0') ||
           (SessionType != nullptr && std::string_view(SessionType) == "wayland");
}

void PreferX11Platform() {
    setenv("QT_QPA_PLATFORM", "xcb", 0);
}

}  // namespace tulma
