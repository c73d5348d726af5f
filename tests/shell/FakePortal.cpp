// Stands in for a desktop portal that lists GlobalShortcuts (version 1) but does not serve it. "refuse":
// every CreateSession answers response 2 with no session handle, as xdg-desktop-portal does when it falls
// back to a backend without the interface. "close": sessions open and bind, and the portal closes each
// session 300 ms after its BindShortcuts. Answers go through Request objects' Response signals. Prints
// "ready" once it owns the name.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>
#include <QVariantMap>

#include <iostream>

#include "PortalShortcuts.h"

namespace {

void Send(const QString& Path, const QString& Interface, const QString& Name, const QVariantList& Arguments) {
    QDBusMessage Signal = QDBusMessage::createSignal(Path, Interface, Name);
    Signal.setArguments(Arguments);
    QDBusConnection::sessionBus().send(Signal);
}

}  // namespace

class TFakePortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)

  public:
    explicit TFakePortal(bool Refuse) : Refuse(Refuse) {}
    uint version() const { return 1; }

  public slots:
    QDBusObjectPath CreateSession(const QVariantMap& Options) {
        const QString Request = PathOf("request", Options.value("handle_token").toString());
        const QString Session = PathOf("session", Options.value("session_handle_token").toString());
        const uint Code = Refuse ? 2 : 0;
        const QVariantMap Results = Refuse ? QVariantMap() : QVariantMap{{"session_handle", Session}};
        Answer(Request, Code, Results);
        return QDBusObjectPath(Request);
    }

    QDBusObjectPath BindShortcuts(const QDBusObjectPath& Session, const tulma::TPortalShortcutList&,
                                  const QString&, const QVariantMap& Options) {
        const QString Request = PathOf("request", Options.value("handle_token").toString());
        Answer(Request, 0, {});
        QTimer::singleShot(300, this, [Path = Session.path()] {
            Send(Path, "org.freedesktop.portal.Session", "Closed", {QVariantMap()});
        });
        return QDBusObjectPath(Request);
    }

  private:
    bool Refuse;

    // "/org/freedesktop/portal/desktop/KIND/SENDER/TOKEN", SENDER the caller's unique name without its
    // colon and with its dots as underscores.
    QString PathOf(const QString& Kind, const QString& Token) const {
        QString Sender = message().service().mid(1);
        Sender.replace('.', '_');
        return "/org/freedesktop/portal/desktop/" + Kind + '/' + Sender + '/' + Token;
    }

    void Answer(const QString& Request, uint Code, const QVariantMap& Results) {
        QTimer::singleShot(0, this, [=] {
            Send(Request, "org.freedesktop.portal.Request", "Response", {Code, Results});
        });
    }
};

int main(int Argc, char** Argv) {
    QCoreApplication Application(Argc, Argv);
    tulma::RegisterPortalShortcutTypes();
    TFakePortal Portal(QCoreApplication::arguments().value(1) != "close");
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.registerObject("/org/freedesktop/portal/desktop", &Portal,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) ||
        !Bus.registerService("org.freedesktop.portal.Desktop")) {
        return 1;
    }
    std::cout << "ready" << std::endl;
    return Application.exec();
}

#include "FakePortal.moc"
