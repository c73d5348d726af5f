#include "PortalShortcuts.h"

#include <QDBusMetaType>

namespace tulma {

QDBusArgument& operator<<(QDBusArgument& Argument, const TPortalShortcut& Shortcut) {
    Argument.beginStructure();
    Argument << Shortcut.Id << Shortcut.Properties;
    Argument.endStructure();
    return Argument;
}

const QDBusArgument& operator>>(const QDBusArgument& Argument, TPortalShortcut& Shortcut) {
    Argument.beginStructure();
    Argument >> Shortcut.Id >> Shortcut.Properties;
    Argument.endStructure();
    return Argument;
}

void RegisterPortalShortcutTypes() {
    qDBusRegisterMetaType<TPortalShortcut>();
    qDBusRegisterMetaType<TPortalShortcutList>();
}

TPortalShortcutList PortalShortcutsOf(const QVariant& Value) {
    if (Value.canConvert<QDBusArgument>()) {
        return qdbus_cast<TPortalShortcutList>(Value.value<QDBusArgument>());
    }
    return Value.value<TPortalShortcutList>();
}

}  // namespace tulma
