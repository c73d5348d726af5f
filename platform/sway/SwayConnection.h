#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>

#include "BackendChoice.h"
#include "LocalSocket.h"
#include "SwayIpcFrame.h"

class QSocketNotifier;

namespace tulma {

// One connection to sway's IPC socket. Requests wait for their reply (sway answers in milliseconds);
// a connection that listens to events reports them as signals from the event loop and asks nothing more.
class TSwayConnection : public QObject {
    Q_OBJECT
  public:
    // The session's sway socket: SWAYSOCK, else I3SOCK, else a sway-ipc.*.sock of the runtime folder
    // that accepts a connection; empty when there is none.
    static std::string SessionSocketPath();
    // Whether the session's socket answers GET_VERSION as sway, and why not.
    static TBackendVerdict Prove();

    // Throws ESwayIpc when the socket does not accept the connection.
    explicit TSwayConnection(const std::string& Path, QObject* Parent = nullptr);
    ~TSwayConnection() override;

    const std::string& Path() const { return SocketPath; }
    // Sends a request and returns its reply's JSON; throws ESwayIpc when none comes within two seconds
    // or the connection breaks.
    QJsonDocument Ask(std::uint32_t Type, const QByteArray& Payload = {});
    // Subscribes to Events (["binding", ...]); they come as Event signals from then on.
    void Listen(const QStringList& Events);

  signals:
    void Event(std::uint32_t Type, const QJsonObject& Body);
    // The connection broke: sway ended, or sent what is not its protocol.
    void Lost(const QString& Reason);

  private:
    std::string SocketPath;
    TFileDescriptor Socket;
    TSwayIpcDecoder Decoder;
    std::unique_ptr<QSocketNotifier> Readable;

    void ReadEvents();
};

}  // namespace tulma
