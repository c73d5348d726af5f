#include "BusNames.h"

#include <QDBusMessage>

namespace tulma {

bool BusNameHasOwner(const QDBusConnection& Bus, const QString& Name) {
    constexpr int WaitMs = 2000;
    if (!Bus.isConnected()) {
        return false;
    }
    QDBusMessage Ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    Ask << Name;
    const QDBusMessage Reply = Bus.call(Ask, QDBus::Block, WaitMs);
    return Reply.type() == QDBusMessage::ReplyMessage && !Reply.arguments().isEmpty() &&
           Reply.arguments().constFirst().toBool();
}

}  // namespace tulma
