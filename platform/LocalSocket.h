#pragma once

#include <sys/socket.h>
#include <sys/un.h>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tulma {

// Owns a socket's descriptor. Plain sockets, so that the program loads no network library.
class SocketHandle {
  public:
    explicit SocketHandle(int Fd = -1) : Fd(Fd) {}
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    ~SocketHandle();
    int Get() const { return Fd; }
    int Release() { return std::exchange(Fd, -1); }

  private:
    int Fd;
};

// The address of a Unix socket file; none when the path does not fit.
std::optional<sockaddr_un> AddressOf(const std::string& Path);
// A connected socket to the Unix socket Path, or -1.
int ConnectTo(const std::string& Path);
// Sends every byte; false when the peer is gone.
bool SendAll(int Fd, std::string_view Bytes);
// Bytes that arrive on Fd before Deadline: some bytes; empty when the peer closed or failed; nothing when
// none came in time.
std::optional<std::string> ReceiveSome(int Fd, std::chrono::steady_clock::time_point Deadline);

}  // namespace tulma
