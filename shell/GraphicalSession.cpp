#include "GraphicalSession.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "LocalLineServer.h"

namespace tulma {
namespace {

std::string Variable(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr ? Value : "";
}

// The compositor's socket: WAYLAND_DISPLAY is a path, or a name in XDG_RUNTIME_DIR.
bool WaylandReachable(const std::string& Name) {
    if (Name.starts_with('/')) {
        return SomeoneServes(Name);
    }
    const std::string RuntimeDir = Variable("XDG_RUNTIME_DIR");
    return !RuntimeDir.empty() && SomeoneServes(RuntimeDir + "/" + Name);
}

std::string WhyNot(const std::string& Name, const std::string& Value) {
    return Value.empty() ? Name + " is not set" : Name + "=" + Value + " cannot be reached";
}

}  // namespace

TDisplayProbe::TDisplayProbe() : Connection(xcb_connect(nullptr, nullptr)) {}

TDisplayProbe::~TDisplayProbe() {
    xcb_disconnect(Connection);
}

bool TDisplayProbe::Reachable() const {
    return xcb_connection_has_error(Connection) == 0;
}

std::unique_ptr<TDisplayProbe> RequireGraphicalSession() {
    const std::string XDisplay = Variable("DISPLAY");
    const std::string WaylandDisplay = Variable("WAYLAND_DISPLAY");
    auto Probe = std::make_unique<TDisplayProbe>();
    if (Probe->Reachable() || (!WaylandDisplay.empty() && WaylandReachable(WaylandDisplay))) {
        return Probe;
    }
    throw std::runtime_error("Tulma is a desktop program and needs a graphical session (X11 or Wayland): " +
                             WhyNot("DISPLAY", XDisplay) + ", " + WhyNot("WAYLAND_DISPLAY", WaylandDisplay));
}

}  // namespace tulma
