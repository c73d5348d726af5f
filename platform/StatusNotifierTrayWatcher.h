#pragma once

#include <QObject>

class QDBusServiceWatcher;

namespace tulma {

// Notices the D-Bus tray (the org.kde.StatusNotifierWatcher service of the session bus) coming and
// going, for the desktops whose tray Qt reaches that way. Without a session bus it never signals.
class TStatusNotifierTrayWatcher : public QObject {
    Q_OBJECT
  public:
    explicit TStatusNotifierTrayWatcher(QObject* Parent = nullptr);

  signals:
    void TrayHostChanged();

  private:
    QDBusServiceWatcher* Watcher;
};

}  // namespace tulma
