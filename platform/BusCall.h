#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QVariantList>

namespace tulma {

// One D-Bus method: the service and object it is called on, its interface and its name.
struct TBusMethod {
    QString Service;
    QString Path;
    QString Interface;
    QString Name;
};

// The message that calls Method with Arguments, for a call that is sent without waiting here.
QDBusMessage BusMethodCall(const TBusMethod& Method, const QVariantList& Arguments = {});

// Calls Method with Arguments on Bus and waits up to WaitMs for the answer (Mode as for
// QDBusConnection::call): the reply, or an error message when none came.
QDBusMessage CallBusMethod(const QDBusConnection& Bus, const TBusMethod& Method,
                           const QVariantList& Arguments, int WaitMs, QDBus::CallMode Mode = QDBus::Block);

}  // namespace tulma
