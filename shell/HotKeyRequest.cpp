#include "HotKeyRequest.h"

#include "HotKeySocket.h"
#include "LocalLineServer.h"

namespace tulma {
namespace {

// The running Tulma answers from its event loop, which a busy moment may hold up for a while.
constexpr int AnswerMs = 10000;

// Whether Text fits in one request line; a NUL byte would make it a request of another kind.
bool FitsInRequest(const std::string& Text) {
    return Text.find_first_of(std::string_view("\n\0", 2)) == std::string::npos &&
           std::ssize(Text) + ShowRequestLength < MaxRequestLength;
}

}  // namespace

TRunReply SendRunRequest(const std::string& Name) {
    const std::string Socket = HotKeySocketName().toStdString();
    // No hotkey name holds a line end or a NUL byte, and the request could not carry one.
    if (!FitsInRequest(Name)) {
        return SomeoneServes(Socket) ? TRunReply::Unknown : TRunReply::NoServer;
    }
    const auto Reply = AskLocalLine(Socket, Name + '\n', AnswerMs);
    if (!Reply) {
        return TRunReply::NoServer;
    }
    return *Reply == RanReply       ? TRunReply::Ran
           : *Reply == UnknownReply ? TRunReply::Unknown
                                    : TRunReply::NoAnswer;
}

bool SendShowRequest(const std::string& FileName) {
    return FitsInRequest(FileName) &&
           AskLocalLine(HotKeySocketName().toStdString(),
                        std::string(ShowRequest, ShowRequestLength) + FileName + '\n',
                        AnswerMs) == ShownReply;
}

}  // namespace tulma
