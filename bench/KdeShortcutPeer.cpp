// KDE's own way of starting a program on a key, as its custom shortcuts do it: an action of KDE's global
// shortcut service on Ctrl+Alt+M whose every press starts the program, detached. The peer of Tulma's KDE
// hotkeys in the press-to-launch benchmark (KDE 5.27 starts no program for a .desktop file's shortcut
// without its launcher, which a bare KWin session does not run).
//   bench_kde_shortcut_peer PROGRAM [ARGUMENTS...]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>

#include <cstdio>

namespace {

const QString Service = QStringLiteral("org.kde.kglobalaccel");
const QStringList Action{QStringLiteral("bench_kde_shortcut_peer"), QStringLiteral("launch"),
                         QStringLiteral("Benchmark peer"), QStringLiteral("Launch the probe")};

class TLauncher : public QObject {
    Q_OBJECT
  public:
    explicit TLauncher(QStringList Command) : Command(std::move(Command)) {}

  public slots:
    void Pressed(const QString& /*Component*/, const QString& /*Name*/, qlonglong /*Timestamp*/) {
        QProcess::startDetached(Command.first(), Command.mid(1));
    }

  private:
    QStringList Command;
};

QDBusMessage Call(const char* Method, const QVariantList& Arguments) {
    QDBusMessage Message = QDBusMessage::createMethodCall(Service, QStringLiteral("/kglobalaccel"),
                                                          QStringLiteral("org.kde.KGlobalAccel"), Method);
    Message.setArguments(Arguments);
    return QDBusConnection::sessionBus().call(Message);
}

}  // namespace

int main(int Argc, char** Argv) {
    QCoreApplication Application(Argc, Argv);
    if (Argc < 2) {
        std::fprintf(stderr, "usage: bench_kde_shortcut_peer PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    TLauncher Launcher(Application.arguments().mid(1));
    QDBusConnection::sessionBus().connect(Service, QStringLiteral("/component/") + Action.first(),
                                          QStringLiteral("org.kde.kglobalaccel.Component"),
                                          QStringLiteral("globalShortcutPressed"), &Launcher,
                                          SLOT(Pressed(QString, QString, qlonglong)));
    Call("doRegister", {Action});
    // Present, and the key given rather than one remembered from an earlier run.
    const QDBusMessage Set = Call(
        "setShortcut",
        {Action, QVariant::fromValue(QList<int>{(Qt::CTRL | Qt::ALT | Qt::Key_M).toCombined()}), 2U | 4U});
    if (Set.type() != QDBusMessage::ReplyMessage) {
        std::fprintf(stderr, "bench_kde_shortcut_peer: %s\n", qPrintable(Set.errorMessage()));
        return 1;
    }
    return QCoreApplication::exec();
}

#include "KdeShortcutPeer.moc"
