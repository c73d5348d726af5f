#include "GraphicalSession.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "LocalSocket.h"
#include "X11DisplayProbe.h"

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

TGraphicalSession::TGraphicalSession() : Probe(std::make_unique<TX11DisplayProbe>()) {
    const std::string WaylandDisplay = Variable("WAYLAND_DISPLAY");
    if (Probe->Reachable() || (!WaylandDisplay.empty() && WaylandReachable(WaylandDisplay))) {
        return;
    }
    throw std::runtime_error("Tulma is a desktop program and needs a graphical session (X11 or Wayland): " +
                             WhyNot("DISPLAY", Variable("DISPLAY")) + ", " +
                             WhyNot("WAYLAND_DISPLAY", WaylandDisplay));
}

TGraphicalSession::~TGraphicalSession() = default;

}  // namespace tulma
