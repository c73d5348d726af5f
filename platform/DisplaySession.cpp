#include "DisplaySession.h"

#include "ChildEnvironment.h"
#include "FileDescriptor.h"
#include "LocalSocket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string_view>

namespace tulma {
namespace {

std::string Variable(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value != nullptr ? Value : "";
}

// The Wayland display's socket: WAYLAND_DISPLAY, a path or a name in XDG_RUNTIME_DIR.
std::string WaylandSocketPath() {
    const std::string Display =
        Variable("WAYLAND_DISPLAY").empty() ? "wayland-0" : Variable("WAYLAND_DISPLAY");
    return Display.front() == '/' ? Display : Variable("XDG_RUNTIME_DIR") + "/" + Display;
}

// The name of the process that serves the Wayland display, asked of the socket's peer; empty when none.
std::string WaylandCompositor() {
    const std::string Path = WaylandSocketPath();
    sockaddr_un Address{};
    if (Variable("XDG_RUNTIME_DIR").empty() || Path.size() >= sizeof(Address.sun_path)) {
        return {};
    }
    Address.sun_family = AF_UNIX;
    std::memcpy(Address.sun_path, Path.c_str(), Path.size() + 1);
    const TFileDescriptor Socket(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!Socket.Valid()) {
        return {};
    }
    ucred Peer{};
    socklen_t Size = sizeof(Peer);
    const bool Known =
        connect(Socket.Get(), reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0 &&
        getsockopt(Socket.Get(), SOL_SOCKET, SO_PEERCRED, &Peer, &Size) == 0;
    std::string Name;
    if (Known) {
        std::ifstream Comm("/proc/" + std::to_string(Peer.pid) + "/comm");
        std::getline(Comm, Name);
    }
    return Name;
}

}  // namespace

bool IsWaylandSession() {
    const char* WaylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const char* SessionType = std::getenv("XDG_SESSION_TYPE");
    return (WaylandDisplay != nullptr && WaylandDisplay[0] != '\0') ||
           (SessionType != nullptr && std::string_view(SessionType) == "wayland");
}

TSessionFacts DescribeSession() {
    std::string Type = Variable("XDG_SESSION_TYPE");
    if (Type.empty()) {
        Type = IsWaylandSession() ? "wayland" : !Variable("DISPLAY").empty() ? "x11" : "unknown";
    }
    const std::string Desktop = Variable("XDG_CURRENT_DESKTOP");
    const std::string Compositor = IsWaylandSession() ? WaylandCompositor() : "";
    return {Type, Desktop.empty() ? "unknown" : Desktop, Compositor.empty() ? "unknown" : Compositor};
}

// Qt falls back to the next platform of the list, after a warning that would only be noise here.
void ChooseQtPlatform() {
    const bool Wayland = IsWaylandSession() && SomeoneServes(WaylandSocketPath());
    SetOwnVariable("QT_QPA_PLATFORM", Wayland ? "wayland;xcb" : "xcb", false);
    // KWin decorates every window itself (the socket may be its wrapper's, "kwin_wayland_wrapper"). Qt's
    // check whether it may draw decorations of its own sets up EGL, some 50 MB, for a program that draws
    // no OpenGL at all.
    if (Wayland && WaylandCompositor().starts_with("kwin_wayland")) {
        SetOwnVariable("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1", false);
    }
}

}  // namespace tulma
