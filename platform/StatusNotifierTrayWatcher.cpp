#include "StatusNotifierTrayWatcher.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace tulma {

TStatusNotifierTrayWatcher::TStatusNotifierTrayWatcher(QObject* Parent)
    : QObject(Parent),
      Watcher(new QDBusServiceWatcher("org.kde.StatusNotifierWatcher", QDBusConnection::sessionBus(),
                                      QDBusServiceWatcher::WatchForOwnerChange, this)) {
    connect(Watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &TStatusNotifierTrayWatcher::TrayHostChanged);
}

}  // namespace tulma
