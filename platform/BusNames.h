#pragma once

#include <QDBusConnection>
#include <QString>

namespace tulma {

// Whether Name has an owner on Bus. Asks the bus daemon, waiting two seconds at most (a plain
// QDBusConnectionInterface call may wait 25), so that no start hangs on a stuck bus.
bool BusNameHasOwner(const QDBusConnection& Bus, const QString& Name);

}  // namespace tulma
