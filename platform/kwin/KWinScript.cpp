#include "KWinScript.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QEventLoop>
#include <QTemporaryFile>
#include <QTimer>

#include "BusCall.h"
#include "BusNames.h"
#include "PlatformLog.h"

namespace tulma {
namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString ReplyPath = QStringLiteral("/org/tulma/KWinScriptReply");
constexpr int ReplyTimeoutMs = 2000;

QDBusMessage Call(const QDBusConnection& Bus, const QString& Path, const QString& Interface,
                  const QString& Method, const QVariantList& Arguments = {}) {
    return CallBusMethod(Bus, {KWinService, Path, Interface, Method}, Arguments, ReplyTimeoutMs);
}

}  // namespace

bool TKWinScript::Available() {
    return BusNameHasOwner(QDBusConnection::sessionBus(), KWinService);
}

TKWinScript::TKWinScript(QObject* Parent) : QObject(Parent), Bus(QDBusConnection::sessionBus()) {
    Bus.registerObject(ReplyPath, this, QDBusConnection::ExportScriptableSlots);
}

TKWinScript::~TKWinScript() {
    Bus.unregisterObject(ReplyPath);
}

void TKWinScript::Report(const QString& Text) {
    Answer = Text;
}

std::optional<QString> TKWinScript::Run(const QString& Program) {
    QTemporaryFile File(QStringLiteral("tulma-kwin-XXXXXX.js"));
    QString Text = Program;
    Text.replace(QStringLiteral("REPLY_SERVICE"), '"' + Bus.baseService() + '"')
        .replace(QStringLiteral("REPLY_PATH"), '"' + ReplyPath + '"')
        .replace(QStringLiteral("REPLY_INTERFACE"), QStringLiteral("\"org.tulma.KWinScriptReply\""));
    if (!File.open() || File.write(Text.toUtf8()) < 0 || !File.flush()) {
        return std::nullopt;
    }
    const QString Name = QStringLiteral("tulma-%1-%2").arg(QCoreApplication::applicationPid()).arg(++Runs);
    const QDBusMessage Loaded = Call(Bus, QStringLiteral("/Scripting"), ScriptingInterface,
                                     QStringLiteral("loadScript"), {File.fileName(), Name});
    if (Loaded.type() != QDBusMessage::ReplyMessage || Loaded.arguments().value(0).toInt() < 0) {
        qCWarning(PlatformLog) << "KWin did not load a script:" << Loaded.errorMessage();
        return std::nullopt;
    }
    const QString Id = QString::number(Loaded.arguments().value(0).toInt());
    Answer.reset();
    // KWin 5 names a loaded script /<id>, KWin 6 /Scripting/Script<id>.
    const QString Script = QStringLiteral("org.kde.kwin.Script");
    if (Call(Bus, '/' + Id, Script, QStringLiteral("run")).type() != QDBusMessage::ReplyMessage) {
        Call(Bus, QStringLiteral("/Scripting/Script") + Id, Script, QStringLiteral("run"));
    }
    // The answer is a call to this process: only the bus is served meanwhile, no input.
    QTimer Limit;
    Limit.setSingleShot(true);
    Limit.start(ReplyTimeoutMs);
    while (!Answer && Limit.isActive()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
    Call(Bus, QStringLiteral("/Scripting"), ScriptingInterface, QStringLiteral("unloadScript"), {Name});
    if (!Answer) {
        qCWarning(PlatformLog) << "no answer from a KWin script";
    }
    return Answer;
}

}  // namespace tulma
