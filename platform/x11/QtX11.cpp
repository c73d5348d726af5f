#include "QtX11.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <memory>

#include "OwnX11Connection.h"
#include "X11KeyboardMap.h"

namespace tulma {
namespace {

// Opened once, on first need, and closed before the application's event dispatcher goes.
TOwnX11Connection* OwnConnection() {
    static std::unique_ptr<TOwnX11Connection> Own;
    if (!Own) {
        Own = std::make_unique<TOwnX11Connection>();
        qAddPostRoutine([] { Own.reset(); });
    }
    return Own.get();
}

}  // namespace

xcb_connection_t* QtX11Connection() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    if (auto* App = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); App != nullptr) {
        return App->connection();
    }
    const TOwnX11Connection* Own = OwnConnection();
    return Own->Failed() ? nullptr : Own->Get();
}

// The mapping is read afresh for every name, so a layout switched meanwhile is honoured.
KeyNameLookup X11KeyNames() {
    return [](std::uint8_t VirtualKey) -> std::string {
        xcb_connection_t* Connection = QtX11Connection();
        return Connection == nullptr ? std::string() : TX11KeyboardMap(Connection).KeyName(VirtualKey);
    };
}

KeyEventLookup X11KeyCodes() {
    return [](const QKeyEvent& Event) -> std::uint8_t {
        xcb_connection_t* Connection = QtX11Connection();
        if (Connection == nullptr || Event.nativeScanCode() == 0) {
            return 0;
        }
        return TX11KeyboardMap(Connection)
            .VirtualKeyOf(static_cast<xcb_keycode_t>(Event.nativeScanCode()),
                          static_cast<Keysym>(Event.nativeVirtualKey()));
    };
}

}  // namespace tulma
