#pragma once

#include <QDBusArgument>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace tulma {

// One entry of the portal's shortcut lists, D-Bus type (sa{sv}): an id and its properties
// ("description", "preferred_trigger" on the way in, "trigger_description" on the way out).
struct TPortalShortcut {
    QString Id;
    QVariantMap Properties;
};
using TPortalShortcutList = QList<TPortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& Argument, const TPortalShortcut& Shortcut);
const QDBusArgument& operator>>(const QDBusArgument& Argument, TPortalShortcut& Shortcut);

// Makes the list type known to QtDBus; idempotent.
void RegisterPortalShortcutTypes();

// The list that a variant of a portal reply or signal carries; empty when it carries none.
TPortalShortcutList PortalShortcutsOf(const QVariant& Value);

}  // namespace tulma

Q_DECLARE_METATYPE(tulma::TPortalShortcut)
Q_DECLARE_METATYPE(tulma::TPortalShortcutList)
