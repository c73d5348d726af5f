#include "LocalSocket.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace tulma {
namespace {

// Connecting waits only when the server's queue of new connections is full.
constexpr int ConnectMs = 2000;

// The first line that arrives on Fd, with its end; empty when none came whole before the deadline.
std::string ReceiveLine(int Fd, int AnswerMs) {
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(AnswerMs);
    std::string Received;
    for (;;) {
        const auto Chunk = ReceiveSome(Fd, Deadline);
        if (!Chunk || Chunk->empty()) {
            return {};
        }
        Received += *Chunk;
        if (const auto End = Received.find('\n'); End != std::string::npos) {
            return Received.substr(0, End + 1);
        }
    }
}

}  // namespace

std::optional<sockaddr_un> AddressOf(const std::string& Path) {
    sockaddr_un Address{};
    if (Path.empty() || Path.size() >= sizeof(Address.sun_path)) {
        return std::nullopt;
    }
    Address.sun_family = AF_UNIX;
    std::memcpy(Address.sun_path, Path.c_str(), Path.size() + 1);
    return Address;
}

TFileDescriptor ConnectTo(const std::string& Path) {
    const auto Address = AddressOf(Path);
    if (!Address) {
        return {};
    }
    TFileDescriptor Socket(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!Socket.Valid()) {
        return {};
    }
    const timeval Timeout{ConnectMs / 1000, (ConnectMs % 1000) * 1000};
    setsockopt(Socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &Timeout, sizeof(Timeout));
    int Result;
    do {
        Result = connect(Socket.Get(), reinterpret_cast<const sockaddr*>(&*Address), sizeof(*Address));
    } while (Result < 0 && errno == EINTR);
    return Result == 0 ? std::move(Socket) : TFileDescriptor();
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

std::optional<std::string> ReceiveSome(int Fd, std::chrono::steady_clock::time_point Deadline) {
    using TClock = std::chrono::steady_clock;
    for (;;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now());
        pollfd Wait{Fd, POLLIN, 0};
        const int Ready = poll(&Wait, 1, static_cast<int>(std::max<std::int64_t>(Left.count(), 0)));
        if (Ready < 0 && errno == EINTR) {
            continue;
        }
        if (Ready == 0) {
            return std::nullopt;
        }
        if (Ready < 0) {
            return std::string();
        }
        char Chunk[4096];
        const ssize_t Count = recv(Fd, Chunk, sizeof(Chunk), MSG_DONTWAIT);
        if (Count < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        return Count <= 0 ? std::string() : std::string(Chunk, static_cast<size_t>(Count));
    }
}

bool SomeoneServes(const std::string& Path) {
    return ConnectTo(Path).Valid();
}

std::optional<std::string> AskLocalLine(const std::string& Path, const std::string& Request, int AnswerMs) {
    const TFileDescriptor Socket = ConnectTo(Path);
    if (!Socket.Valid()) {
        return std::nullopt;
    }
    if (!SendAll(Socket.Get(), Request)) {
        return std::string();
    }
    return ReceiveLine(Socket.Get(), AnswerMs);
}

}  // namespace tulma
