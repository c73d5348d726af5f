#pragma once

#include <QObject>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FileDescriptor.h"
#include "LocalSocket.h"

class QSocketNotifier;

namespace tulma {

// Serves one-line requests on a Unix socket that only the user's own processes may use: a client
// sends a line, gets one reply and is hung up on. Plain POSIX sockets, so that the program loads no
// network library for the one socket it serves.
class TLocalLineServer : public QObject {
    Q_OBJECT
  public:
    // The reply to a request line, given without its line end.
    using TAnswer = std::function<std::string(const std::string& Request)>;

    // A client whose line (with its end) is longer than MaxLineLength is hung up on unanswered.
    TLocalLineServer(std::size_t MaxLineLength, TAnswer Answer, QObject* Parent = nullptr);
    ~TLocalLineServer() override;

    // Serves Path from now on, in place of a socket file that nobody serves; false when another
    // process serves it or the socket cannot be made.
    bool Listen(const std::string& Path);
    bool Listening() const { return FListener.Valid(); }

  private:
    struct Client;

    std::size_t FMaxLineLength;
    TAnswer FAnswer;
    TFileDescriptor FListener;
    std::string FPath;
    QSocketNotifier* FAccepting = nullptr;
    std::vector<std::unique_ptr<Client>> FClients;

    void AcceptClients();
    void ReadFrom(Client& Peer);
    void HangUp(const Client& Peer);
};

}  // namespace tulma
