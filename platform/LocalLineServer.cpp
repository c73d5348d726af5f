#include "LocalLineServer.h"

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

// Connecting waits only when the server's queue of new connections is full.
constexpr int ConnectMs = 2000;
constexpr int ListenQueue = 16;

std::optional<sockaddr_un> AddressOf(const std::string& Path) {
    sockaddr_un Address{};
    if (Path.empty() || Path.size() >= sizeof(Address.sun_path)) {
        return std::nullopt;
    }
    Address.sun_family = AF_UNIX;
    std::memcpy(Address.sun_path, Path.c_str(), Path.size() + 1);
    return Address;
}

class SocketHandle {
  public:
    explicit SocketHandle(int Fd) : Fd(Fd) {}
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle() {
        if (Fd >= 0) {
            close(Fd);
        }
    }
    int Get() const { return Fd; }
    int Release() { return std::exchange(Fd, -1); }

  private:
    int Fd;
};

// A connected socket to Path, or -1.
int ConnectTo(const std::string& Path) {
    const auto Address = AddressOf(Path);
    if (!Address) {
        return -1;
    }
    SocketHandle Socket(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (Socket.Get() < 0) {
        return -1;
    }
    const timeval Timeout{ConnectMs / 1000, (ConnectMs % 1000) * 1000};
    setsockopt(Socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &Timeout, sizeof(Timeout));
    int Result;
    do {
        Result = connect(Socket.Get(), reinterpret_cast<const sockaddr*>(&*Address), sizeof(*Address));
    } while (Result < 0 && errno == EINTR);
    return Result == 0 ? Socket.Release() : -1;
}

bool SendAll(int Fd, std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Sent = send(Fd, Bytes.data(), Bytes.size(), MSG_NOSIGNAL);
        if (Sent < 0 && errno == EINTR) {
            continue;
        }
        if (Sent <= 0) {
            return false;
        }
        Bytes.remove_prefix(static_cast<size_t>(Sent));
    }
    return true;
}

// The first line that arrives on Fd, with its end; empty when none came whole before the deadline.
std::string ReceiveLine(int Fd, int AnswerMs) {
    using Clock = std::chrono::steady_clock;
    const auto Deadline = Clock::now() + std::chrono::milliseconds(AnswerMs);
    std::string Received;
    for (;;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now());
        pollfd Wait{Fd, POLLIN, 0};
        const int Ready = poll(&Wait, 1, static_cast<int>(std::max<std::int64_t>(Left.count(), 0)));
        if (Ready < 0 && errno == EINTR) {
            continue;
        }
        if (Ready <= 0) {
            return {};
        }
        char Chunk[256];
        const ssize_t Count = recv(Fd, Chunk, sizeof(Chunk), 0);
        if (Count < 0 && errno == EINTR) {
            continue;
        }
        if (Count <= 0) {
            return {};
        }
        Received.append(Chunk, static_cast<size_t>(Count));
        if (const auto End = Received.find('\n'); End != std::string::npos) {
            return Received.substr(0, End + 1);
        }
    }
}

}  // namespace

struct TLocalLineServer::Client {
    Client(int Fd, TLocalLineServer* Server)
        : Socket(Fd), Readable(new QSocketNotifier(Fd, QSocketNotifier::Read, Server)) {}
    ~Client() {
        // The notifier may be the one whose signal is being served.
        Readable->setEnabled(false);
        Readable->deleteLater();
    }
    SocketHandle Socket;
    QSocketNotifier* Readable;
    std::string Received;
};

TLocalLineServer::TLocalLineServer(std::size_t MaxLineLength, TAnswer Answer, QObject* Parent)
    : QObject(Parent), FMaxLineLength(MaxLineLength), FAnswer(std::move(Answer)) {}

TLocalLineServer::~TLocalLineServer() {
    FClients.clear();
    if (FListener >= 0) {
        close(FListener);
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
    SocketHandle Listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (Listener.Get() < 0 ||
        bind(Listener.Get(), reinterpret_cast<const sockaddr*>(&*Address), sizeof(*Address)) != 0) {
        return false;
    }
    if (chmod(Path.c_str(), S_IRUSR | S_IWUSR) != 0 || listen(Listener.Get(), ListenQueue) != 0) {
        unlink(Path.c_str());
        return false;
    }
    FListener = Listener.Release();
    FPath = Path;
    FAccepting = new QSocketNotifier(FListener, QSocketNotifier::Read, this);
    connect(FAccepting, &QSocketNotifier::activated, this, &TLocalLineServer::AcceptClients);
    return true;
}

void TLocalLineServer::AcceptClients() {
    for (;;) {
        const int Fd = accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
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

bool SomeoneServes(const std::string& Path) {
    SocketHandle Socket(ConnectTo(Path));
    return Socket.Get() >= 0;
}

std::optional<std::string> AskLocalLine(const std::string& Path, const std::string& Request, int AnswerMs) {
    SocketHandle Socket(ConnectTo(Path));
    if (Socket.Get() < 0) {
        return std::nullopt;
    }
    if (!SendAll(Socket.Get(), Request)) {
        return std::string();
    }
    return ReceiveLine(Socket.Get(), AnswerMs);
}

}  // namespace tulma
