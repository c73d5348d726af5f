#include "QtX11.h"

#include <QGuiApplication>

#include <memory>
#include <optional>

#include "LayoutLookups.h"
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

std::optional<TKeyboardLayout> X11Layout() {
    xcb_connection_t* Connection = QtX11Connection();
    return Connection != nullptr ? std::optional<TKeyboardLayout>(TX11KeyboardMap(Connection)) : std::nullopt;
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

TKeyNameLookup X11KeyNames() {
    return LayoutKeyNames(X11Layout);
}

TKeyEventLookup X11KeyCodes() {
    return LayoutKeyCodes(X11Layout);
}

}  // namespace tulma
