#include "WindowListing.h"

#include <memory>
#include <stdexcept>

#include <xcb/xcb.h>

#include "DesktopWindows.h"
#include "WindowMatch.h"
#include "X11DesktopWindows.h"

namespace tulma {
namespace {

struct Disconnect {
    void operator()(xcb_connection_t* Connection) const { xcb_disconnect(Connection); }
};

}  // namespace

int PrintMatchingWindows(IDesktopWindows& Windows, const std::string& Text, std::ostream& Out) {
    const auto Desktop = Windows.Snapshot().Windows;
    const auto Listed = Text.empty() ? Desktop : MatchingWindows(Desktop, Text);
    for (const TWindowInfo& Window : Listed) {
        Out << WindowLine(Window) << '\n';
    }
    return Listed.empty() ? 1 : 0;
}

int ListWindows(const std::string& Text, std::ostream& Out) {
    // No Qt here: a plain connection is enough and starts at once, also beside a running Tulma.
    const std::unique_ptr<xcb_connection_t, Disconnect> Connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(Connection.get())) {
        throw std::runtime_error("cannot open the X display; --list-windows needs X11 (DISPLAY)");
    }
    TX11DesktopWindows Windows(Connection.get());
    return PrintMatchingWindows(Windows, Text, Out);
}

}  // namespace tulma
