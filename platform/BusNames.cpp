#include "BusNames.h"

#include "BusCall.h"

namespace tulma {

bool BusNameHasOwner(const QDBusConnection& Bus, const QString& Name) {
    constexpr int WaitMs = 2000;
    if (!Bus.isConnected()) {
        return false;
    }
    const TBusMethod NameHasOwner{QStringLiteral("org.freedesktop.DBus"),
                                  QStringLiteral("/org/freedesktop/DBus"),
                                  QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner")};
    const QDBusMessage Reply = CallBusMethod(Bus, NameHasOwner, {Name}, WaitMs);
    return Reply.type() == QDBusMessage::ReplyMessage && !Reply.arguments().isEmpty() &&
           Reply.arguments().constFirst().toBool();
}

}  // namespace tulma
