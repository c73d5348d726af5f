#include "PortalRequest.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "BusCall.h"
#include "PlatformLog.h"

namespace tulma {
namespace {

constexpr uint Failed = 2;

QString NextToken() {
    static unsigned Counter = 0;
    return QStringLiteral("tulma%1").arg(++Counter);
}

// "/org/freedesktop/portal/desktop/request/SENDER/TOKEN", SENDER the unique name without its colon and
// with its dots as underscores.
QString RequestPath(const QDBusConnection& Bus, const QString& Token) {
    QString Sender = Bus.baseService().mid(1);
    Sender.replace('.', '_');
    return PortalPath + QStringLiteral("/request/") + Sender + '/' + Token;
}

}  // namespace

void TPortalRequest::Call(QObject* Context, const QDBusConnection& Bus, const QString& Interface,
                          const QString& Method, QVariantList Arguments, QVariantMap Options, TAnswer Done) {
    const QString Token = NextToken();
    auto* Request = new TPortalRequest(Context, Bus, RequestPath(Bus, Token), std::move(Done));
    Options.insert(QStringLiteral("handle_token"), Token);
    Arguments.append(Options);
    auto* Watcher = new QDBusPendingCallWatcher(
        Request->Bus.asyncCall(BusMethodCall({PortalService, PortalPath, Interface, Method}, Arguments)),
        Request);
    connect(Watcher, &QDBusPendingCallWatcher::finished, Request,
            [Request, Method](QDBusPendingCallWatcher* Call) {
                Call->deleteLater();
                if (Call->isError()) {
                    qCWarning(PlatformLog) << "portal call" << Method << "failed:" << Call->error().message();
                    Request->Finish(Failed, {});
                }
            });
}

TPortalRequest::TPortalRequest(QObject* Context, const QDBusConnection& Bus, QString Path, TAnswer Done)
    : QObject(Context), Bus(Bus), Path(std::move(Path)), Done(std::move(Done)) {
    this->Bus.connect(PortalService, this->Path, QStringLiteral("org.freedesktop.portal.Request"),
                      QStringLiteral("Response"), this, SLOT(Receive(uint, QVariantMap)));
}

void TPortalRequest::Receive(uint Code, const QVariantMap& Results) {
    Finish(Code, Results);
}

void TPortalRequest::Finish(uint Code, const QVariantMap& Results) {
    if (Answered) {
        return;
    }
    Answered = true;
    Bus.disconnect(PortalService, Path, QStringLiteral("org.freedesktop.portal.Request"),
                   QStringLiteral("Response"), this, SLOT(Receive(uint, QVariantMap)));
    deleteLater();
    Done(Code, Results);
}

}  // namespace tulma
