#include "QtX11.h"

#include <QGuiApplication>

#include "X11KeyboardMap.h"

namespace tulma {

xcb_connection_t* QtX11Connection() {
    auto* App = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return App != nullptr ? App->connection() : nullptr;
}

// The mapping is read afresh for every name, so a layout switched meanwhile is honoured.
KeyNameLookup X11KeyNames() {
    return [](std::uint8_t VirtualKey) -> std::string {
        xcb_connection_t* Connection = QtX11Connection();
        return Connection == nullptr ? std::string() : TX11KeyboardMap(Connection).KeyName(VirtualKey);
    };
}

}  // namespace tulma
