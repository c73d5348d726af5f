#include "HotKeyRequest.h"

#include <QLocalSocket>

#include <optional>

#include "HotKeySocket.h"

namespace tulma {
namespace {

constexpr int ConnectMs = 2000;
// The running Tulma answers from its event loop, which a busy moment may hold up for a while.
constexpr int AnswerMs = 10000;

bool Connect(QLocalSocket& Socket) {
    Socket.connectToServer(HotKeySocketName());
    return Socket.waitForConnected(ConnectMs);
}

// The reply line; none when the running Tulma did not answer in time.
std::optional<QByteArray> Ask(QLocalSocket& Socket, const QByteArray& Request) {
    Socket.write(Request);
    if (!Socket.waitForBytesWritten(ConnectMs)) {
        return std::nullopt;
    }
    while (!Socket.canReadLine()) {
        if (!Socket.waitForReadyRead(AnswerMs)) {
            return std::nullopt;
        }
    }
    return Socket.readLine();
}

// Whether Text fits in one request line; a NUL byte would make it a request of another kind.
bool FitsInRequest(const std::string& Text) {
    return Text.find_first_of(std::string_view("\n\0", 2)) == std::string::npos &&
           std::ssize(Text) + ShowRequestLength < MaxRequestLength;
}

}  // namespace

TRunReply SendRunRequest(const std::string& Name) {
    QLocalSocket Socket;
    if (!Connect(Socket)) {
        return TRunReply::NoServer;
    }
    // No hotkey name holds a line end or a NUL byte, and the request could not carry one.
    if (!FitsInRequest(Name)) {
        return TRunReply::Unknown;
    }
    const auto Reply = Ask(Socket, QByteArray::fromStdString(Name + '\n'));
    return Reply == RanReply       ? TRunReply::Ran
           : Reply == UnknownReply ? TRunReply::Unknown
                                   : TRunReply::NoAnswer;
}

bool SendShowRequest(const std::string& FileName) {
    QLocalSocket Socket;
    if (!FitsInRequest(FileName) || !Connect(Socket)) {
        return false;
    }
    return Ask(Socket, QByteArray(ShowRequest, ShowRequestLength) + QByteArray::fromStdString(FileName) +
                           '\n') == ShownReply;
}

}  // namespace tulma
