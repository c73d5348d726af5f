#include "HotKeyServer.h"

#include <QLocalServer>
#include <QLocalSocket>

#include "HotKeySocket.h"

namespace tulma {
namespace {

constexpr int ProbeMs = 1000;

bool SomeoneServes(const QString& Name) {
    QLocalSocket Probe;
    Probe.connectToServer(Name);
    return Probe.waitForConnected(ProbeMs);
}

}  // namespace

THotKeyServer::THotKeyServer(TRunHotKey RunHotKey, TShowWindow ShowWindow, QObject* Parent)
    : QObject(Parent),
      RunHotKey(std::move(RunHotKey)),
      ShowWindow(std::move(ShowWindow)),
      Server(new QLocalServer(this)) {
    Server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(Server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* Client = Server->nextPendingConnection()) {
            connect(Client, &QLocalSocket::disconnected, Client, &QObject::deleteLater);
            connect(Client, &QLocalSocket::readyRead, this, [this, Client] { Serve(Client); });
        }
    });
    Listen();
}

bool THotKeyServer::Listening() const {
    return Server->isListening();
}

void THotKeyServer::Listen() {
    const QString Name = HotKeySocketName();
    // Listening puts a new socket in place of any old one, so a Tulma already serving must be asked
    // first; a socket that nobody serves was left by a Tulma that ended without cleaning up.
    if (SomeoneServes(Name)) {
        return;
    }
    QLocalServer::removeServer(Name);
    Server->listen(Name);
}

void THotKeyServer::Serve(QLocalSocket* Client) {
    if (!Client->canReadLine()) {
        if (Client->bytesAvailable() > MaxRequestLength) {
            Client->abort();
        }
        return;
    }
    QByteArray Request = Client->readLine(MaxRequestLength + 1);
    if (!Request.endsWith('\n')) {
        Client->abort();
        return;
    }
    Request.chop(1);
    Client->write(Answer(Request));
    Client->disconnectFromServer();
}

QByteArray THotKeyServer::Answer(const QByteArray& Request) {
    if (Request.startsWith(QByteArrayView(ShowRequest, ShowRequestLength))) {
        return ShowWindow(Request.mid(ShowRequestLength).toStdString()) ? ShownReply : OtherFileReply;
    }
    if (Request.startsWith('\0')) {
        return UnknownReply;
    }
    return RunHotKey(Request.toStdString()) ? RanReply : UnknownReply;
}

}  // namespace tulma
