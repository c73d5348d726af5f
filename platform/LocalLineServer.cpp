#include "LocalLineServer.h"

#include "LocalSocket.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <utility>

namespace tulma {
namespace {

constexpr int ListenQueue = 16;

}  // namespace

struct TLocalLineServer::Client {
    Client(int Fd, TLocalLineServer* Server)
        : Socket(Fd), Readable(new QSocketNotifier(Fd, QSocketNotifier::Read, Server)) {}
    ~Client() {
        // The notifier may be the one whose signal is being served.
        Readable->setEnabled(false);
        Readable->deleteLater();
    }
    TFileDescriptor Socket;
    QSocketNotifier* Readable;
    std::string Received;
};

TLocalLineServer::TLocalLineServer(std::size_t MaxLineLength, TAnswer Answer, QObject* Parent)
    : QObject(Parent), FMaxLineLength(MaxLineLength), FAnswer(std::move(Answer)) {}

TLocalLineServer::~TLocalLineServer() {
    FClients.clear();
    if (FListener.Valid()) {
        FListener.Reset();
        unlink(FPath.c_str());
    }
}

bool TLocalLineServer::Listen(const std::string& Path) {
    const auto Address = AddressOf(Path);
    // Binding needs the path free, so a socket file is only taken over when nobody serves it: one that
    // nobody serves was left by a program that ended without cleaning up.
    if (Listening() || !Address || SomeoneServes(Path)) {
        return false;
    }
    unlink(Path.c_str());
    TFileDescriptor Listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (Listener.Get() < 0 ||
        bind(Listener.Get(), reinterpret_cast<const sockaddr*>(&*Address), sizeof(*Address)) != 0) {
        return false;
    }
    if (chmod(Path.c_str(), S_IRUSR | S_IWUSR) != 0 || listen(Listener.Get(), ListenQueue) != 0) {
        unlink(Path.c_str());
        return false;
    }
    FListener = std::move(Listener);
    FPath = Path;
    FAccepting = new QSocketNotifier(FListener.Get(), QSocketNotifier::Read, this);
    connect(FAccepting, &QSocketNotifier::activated, this, &TLocalLineServer::AcceptClients);
    return true;
}

void TLocalLineServer::AcceptClients() {
    for (;;) {
        const int Fd = accept4(FListener.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (Fd < 0) {
            return;
        }
        auto Peer = std::make_unique<Client>(Fd, this);
        connect(Peer->Readable, &QSocketNotifier::activated, this,
                [this, Raw = Peer.get()] { ReadFrom(*Raw); });
        FClients.push_back(std::move(Peer));
    }
}

void TLocalLineServer::ReadFrom(Client& Peer) {
    char Chunk[512];
    const size_t Room = std::min(sizeof(Chunk), FMaxLineLength + 1 - Peer.Received.size());
    const ssize_t Count = recv(Peer.Socket.Get(), Chunk, Room, 0);
    if (Count < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (Count <= 0) {
        HangUp(Peer);
        return;
    }
    Peer.Received.append(Chunk, static_cast<size_t>(Count));
    const auto End = Peer.Received.find('\n');
    if (End == std::string::npos || End >= FMaxLineLength) {
        if (Peer.Received.size() >= FMaxLineLength) {
            HangUp(Peer);
        }
        return;
    }
    // The answer may run a nested event loop; this client is read no more meanwhile.
    Peer.Readable->setEnabled(false);
    const std::string Reply = FAnswer(Peer.Received.substr(0, End));
    SendAll(Peer.Socket.Get(), Reply);
    HangUp(Peer);
}

void TLocalLineServer::HangUp(const Client& Peer) {
    std::erase_if(FClients, [&Peer](const auto& Owned) { return Owned.get() == &Peer; });
}

}  // namespace tulma
