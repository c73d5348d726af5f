#include "HotKeyRequest.h"

#include <QLocalSocket>

#include "HotKeySocket.h"

namespace tulma {
namespace {

constexpr int ConnectMs = 2000;
// The running Tulma answers from its event loop, which a busy moment may hold up for a while.
constexpr int AnswerMs = 10000;

}  // namespace

TRunReply SendRunRequest(const std::string& Name) {
    QLocalSocket Socket;
    Socket.connectToServer(HotKeySocketName());
    if (!Socket.waitForConnected(ConnectMs)) {
        return TRunReply::NoServer;
    }
    // No hotkey name holds a line end, and the request could not carry one.
    if (Name.find('\n') != std::string::npos || std::ssize(Name) >= MaxRequestLength) {
        return TRunReply::Unknown;
    }
    Socket.write(QByteArray::fromStdString(Name + '\n'));
    if (!Socket.waitForBytesWritten(ConnectMs)) {
        return TRunReply::NoAnswer;
    }
    while (!Socket.canReadLine()) {
        if (!Socket.waitForReadyRead(AnswerMs)) {
            return TRunReply::NoAnswer;
        }
    }
    const QByteArray Reply = Socket.readLine();
    return Reply == RanReply       ? TRunReply::Ran
           : Reply == UnknownReply ? TRunReply::Unknown
                                   : TRunReply::NoAnswer;
}

}  // namespace tulma
