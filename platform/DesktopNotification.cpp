#include "DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QVariantMap>

#include "BusCall.h"

namespace tulma {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");

// Many notification daemons start on their first call, so a service the bus can start counts too.
bool ServiceAvailable(const QDBusConnection& Bus) {
    const QDBusConnectionInterface* Interface = Bus.interface();
    if (Interface == nullptr) {
        return false;
    }
    if (const QDBusReply<bool> Running = Interface->isServiceRegistered(Service);
        Running.isValid() && Running) {
        return true;
    }
    const QDBusReply<QStringList> Startable = Interface->activatableServiceNames();
    return Startable.isValid() && Startable.value().contains(Service);
}

}  // namespace

bool ShowDesktopNotification(const QString& Summary, const QString& Body, TNotificationDelivery Delivery) {
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.isConnected() || !ServiceAvailable(Bus)) {
        return false;
    }
    const TBusMethod Notify{Service, QStringLiteral("/org/freedesktop/Notifications"), Service,
                            QStringLiteral("Notify")};
    const QVariantMap Hints{{QStringLiteral("desktop-entry"), QStringLiteral("tulma")}};
    // The body may be read as markup, so a file name with & or < must not be taken for it.
    const QVariantList Arguments{QStringLiteral("Tulma"),
                                 0u,
                                 QStringLiteral("tulma"),
                                 Summary,
                                 Body.toHtmlEscaped(),
                                 QStringList(),
                                 Hints,
                                 -1};
    if (Delivery == TNotificationDelivery::Wait) {
        constexpr int TimeoutMs = 5000;
        return CallBusMethod(Bus, Notify, Arguments, TimeoutMs).type() == QDBusMessage::ReplyMessage;
    }
    // The notification's id that comes back is of no use, so nothing waits for it.
    return Bus.send(BusMethodCall(Notify, Arguments));
}

}  // namespace tulma
