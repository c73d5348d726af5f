// Stands in for a desktop portal that lists GlobalShortcuts (version 1) but refuses every session, as
// xdg-desktop-portal does when it falls back to a backend without the interface: CreateSession answers
// through its Request object with response 2 and no session handle. Prints "ready" once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>
#include <QVariantMap>

#include <iostream>

class TRefusingPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

  public:
    uint version() const { return 1; }

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& Options) {
        QString Sender = message().service().mid(1);
        Sender.replace('.', '_');
        const QString Request = "/org/freedesktop/portal/desktop/request/" + Sender + '/' +
                                Options.value("handle_token").toString();
        QTimer::singleShot(0, this, [Request] {
            QDBusMessage Response =
                QDBusMessage::createSignal(Request, "org.freedesktop.portal.Request", "Response");
            Response << 2u << QVariantMap();
            QDBusConnection::sessionBus().send(Response);
        });
        return QDBusObjectPath(Request);
    }
};

int main(int Argc, char** Argv) {
    QCoreApplication Application(Argc, Argv);
    TRefusingPortal Portal;
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.registerObject("/org/freedesktop/portal/desktop", &Portal,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) ||
        !Bus.registerService("org.freedesktop.portal.Desktop")) {
        return 1;
    }
    std::cout << "ready" << std::endl;
    return Application.exec();
}

#include "RefusingPortal.moc"
