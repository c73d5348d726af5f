#include "HotKeySocketClient.h"

#include "HotKeySocket.h"
#include "LocalLineServer.h"

namespace tulma {
namespace {

// Whether Text fits in one request line; a NUL byte would make it a request of another kind.
bool FitsInRequest(const std::string& Text) {
    return Text.find_first_of(std::string_view("\n\0", 2)) == std::string::npos &&
           std::ssize(Text) + ShowRequestLength < MaxRequestLength;
}

TRunReply ReplyOf(const std::string& Reply) {
    return Reply == RanReply         ? TRunReply::Ran
           : Reply == UnknownReply   ? TRunReply::Unknown
           : Reply == OtherFileReply ? TRunReply::OtherFile
                                     : TRunReply::NoAnswer;
}

}  // namespace

TRunReply SendRunIdRequest(std::int32_t ID, const std::string& FileName) {
    const std::string Socket = HotKeySocketName().toStdString();
    // A path that no request line can carry is run here, from the file.
    const auto Request = RunIdRequestLine(ID, FileName);
    const auto Reply = Request ? AskLocalLine(Socket, *Request, AnswerMs) : std::nullopt;
    return Reply ? ReplyOf(*Reply) : TRunReply::NoServer;
}

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
    return ReplyOf(*Reply);
}

bool SendShowRequest(const std::string& FileName) {
    return FitsInRequest(FileName) &&
           AskLocalLine(HotKeySocketName().toStdString(),
                        std::string(ShowRequest, ShowRequestLength) + FileName + '\n',
                        AnswerMs) == ShownReply;
}

}  // namespace tulma
