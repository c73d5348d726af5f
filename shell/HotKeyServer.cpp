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

THotKeyServer::THotKeyServer(TRunHotKey RunHotKey, QObject* Parent)
    : QObject(Parent), RunHotKey(std::move(RunHotKey)), Server(new QLocalServer(this)) {
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
    QByteArray Name = Client->readLine(MaxRequestLength + 1);
    if (!Name.endsWith('\n')) {
        Client->abort();
        return;
    }
    Name.chop(1);
    const bool Ran = RunHotKey(Name.toStdString());
    Client->write(Ran ? RanReply : UnknownReply);
    Client->disconnectFromServer();
}

}  // namespace tulma
