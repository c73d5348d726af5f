#include "QtX11.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include "X11KeyboardMap.h"

namespace tulma {

xcb_connection_t* QtX11Connection() {
    auto* App = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return App != nullptr ? App->connection() : nullptr;
}

// The mapping is read afresh for every name, so a layout switched meanwhile is honoured.
TKeyNameLookup X11KeyNames() {
    return [](std::uint8_t VirtualKey) -> std::string {
        xcb_connection_t* Connection = QtX11Connection();
        return Connection == nullptr ? std::string() : TX11KeyboardMap(Connection).KeyName(VirtualKey);
    };
}

TKeyEventLookup X11KeyCodes() {
    return [](const QKeyEvent& Event) -> std::uint8_t {
        xcb_connection_t* Connection = QtX11Connection();
        if (Connection == nullptr || Event.nativeScanCode() == 0) {
            return 0;
        }
        return TX11KeyboardMap(Connection)
            .VirtualKeyOf(static_cast<xcb_keycode_t>(Event.nativeScanCode()),
                          static_cast<TKeysym>(Event.nativeVirtualKey()));
    };
}

}  // namespace tulma
