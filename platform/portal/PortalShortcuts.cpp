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
    qDBusRegisterMetaType<PortalShortcutList>();
}

PortalShortcutList PortalShortcutsOf(const QVariant& Value) {
    if (Value.canConvert<QDBusArgument>()) {
        return qdbus_cast<PortalShortcutList>(Value.value<QDBusArgument>());
    }
    return Value.value<PortalShortcutList>();
}

}  // namespace tulma
