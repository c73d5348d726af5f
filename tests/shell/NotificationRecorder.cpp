// Stands in for the desktop's notification service: owns org.freedesktop.Notifications on the session
// bus and keeps the summary and body of every Notify call, which Received hands out. Prints "ready"
// once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QStringList>
#include <QVariantMap>

#include <iostream>

class TNotificationRecorder : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

  public slots:
    uint Notify(const QString&, uint, const QString&, const QString& Summary, const QString& Body,
                const QStringList&, const QVariantMap&, int) {
        Calls << Summary + '\n' + Body;
        return static_cast<uint>(Calls.size());
    }
    QStringList Received() const { return Calls; }

  private:
    QStringList Calls;
};

int main(int Argc, char** Argv) {
    QCoreApplication Application(Argc, Argv);
    TNotificationRecorder Recorder;
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.registerObject("/org/freedesktop/Notifications", &Recorder, QDBusConnection::ExportAllSlots) ||
        !Bus.registerService("org.freedesktop.Notifications")) {
        return 1;
    }
    std::cout << "ready" << std::endl;
    return Application.exec();
}

#include "NotificationRecorder.moc"
