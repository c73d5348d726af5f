#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace tulma {

// One entry of the portal's shortcut lists, D-Bus type (sa{sv}): an id and its properties
// ("description", "preferred_trigger" on the way in, "trigger_description" on the way out).
struct PortalShortcut {
    QString Id;
    QVariantMap Properties;
};
using PortalShortcutList = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& Argument, const PortalShortcut& Shortcut);
const QDBusArgument& operator>>(const QDBusArgument& Argument, PortalShortcut& Shortcut);

// Makes the list type known to QtDBus; idempotent.
void RegisterPortalShortcutTypes();

// The list that a variant of a portal reply or signal carries; empty when it carries none.
PortalShortcutList PortalShortcutsOf(const QVariant& Value);

}  // namespace tulma

Q_DECLARE_METATYPE(tulma::PortalShortcut)
Q_DECLARE_METATYPE(tulma::PortalShortcutList)
