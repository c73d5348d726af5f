#include "StatusNotifierWatch.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace tulma {

TStatusNotifierWatch::TStatusNotifierWatch(QObject* Parent)
    : QObject(Parent),
      Watcher(new QDBusServiceWatcher("org.kde.StatusNotifierWatcher", QDBusConnection::sessionBus(),
                                      QDBusServiceWatcher::WatchForOwnerChange, this)) {
    connect(Watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &TStatusNotifierWatch::TrayHostChanged);
}

}  // namespace tulma
