#include "HotKeySocketServer.h"

#include "HotKeySocket.h"
#include "LocalLineServer.h"

namespace tulma {

THotKeySocketServer::THotKeySocketServer(TRunHotKey RunHotKey, TShowWindow ShowWindow,
                                         TRunHotKeyId RunHotKeyId, QObject* Parent)
    : QObject(Parent),
      RunHotKey(std::move(RunHotKey)),
      ShowWindow(std::move(ShowWindow)),
      RunHotKeyId(std::move(RunHotKeyId)),
      Server(new TLocalLineServer(
          MaxRequestLength + 1, [this](const std::string& Request) { return Answer(Request); }, this)) {
    Server->Listen(HotKeySocketName().toStdString());
}

bool THotKeySocketServer::Listening() const {
    return Server->Listening();
}

std::string THotKeySocketServer::Answer(const std::string& Request) {
    const std::string_view Show(ShowRequest, ShowRequestLength);
    if (Request.starts_with(Show)) {
        return ShowWindow(Request.substr(Show.size())) ? ShownReply : OtherFileReply;
    }
    if (const auto RunId = ParseRunIdRequest(Request)) {
        switch (RunHotKeyId(RunId->ID, RunId->FileName)) {
            case TRunIdAnswer::Ran:
                return RanReply;
            case TRunIdAnswer::OtherFile:
                return OtherFileReply;
            case TRunIdAnswer::Unknown:
                break;
        }
        return UnknownReply;
    }
    if (Request.starts_with('\0')) {
        return UnknownReply;
    }
    return RunHotKey(Request) ? RanReply : UnknownReply;
}

}  // namespace tulma
