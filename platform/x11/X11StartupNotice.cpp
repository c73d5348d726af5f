#include "X11StartupNotice.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "XcbAtoms.h"
#include "XcbReply.h"
#include "XcbWindowRequests.h"

namespace tulma {
namespace {

// A client message carries 20 bytes of the text; the first one of a message has its own type.
constexpr std::size_t ChunkSize = 20;

std::string Quoted(const std::string& Value) {
    std::string Text = "\"";
    for (const char C : Value) {
        if (C == '"' || C == '\\') {
            Text += '\\';
        }
        Text += C;
    }
    return Text + '"';
}

std::string HostName() {
    char Name[256] = {};
    return gethostname(Name, sizeof Name - 1) == 0 ? std::string(Name) : std::string("localhost");
}

}  // namespace

std::string StartupMessage(const std::string& Kind,
                           const std::vector<std::pair<std::string, std::string>>& Fields) {
    std::string Text = Kind + ":";
    for (const auto& [Key, Value] : Fields) {
        Text += ' ' + Key + '=' + Quoted(Value);
    }
    return Text;
}

TX11StartupNotice::TX11StartupNotice(xcb_connection_t* Connection, std::function<xcb_timestamp_t()> PressTime)
    : FConnection(Connection), FPressTime(std::move(PressTime)) {}

std::string TX11StartupNotice::Begin(const TStartupInfo& Info) {
    const xcb_timestamp_t Time = FPressTime ? FPressTime() : 0;
    std::string Id = "tulma-" + std::to_string(getpid()) + '-' + HostName() + '-' + std::to_string(++FCount);
    std::vector<std::pair<std::string, std::string>> Fields{{"ID", ""}, {"NAME", Info.Name}, {"SCREEN", "0"}};
    if (Time != 0) {
        Id += "_TIME" + std::to_string(Time);
        Fields.emplace_back("TIMESTAMP", std::to_string(Time));
    }
    Fields.front().second = Id;
    for (const auto& [Key, Value] :
         {std::pair{"BIN", Info.Program}, std::pair{"ICON", Info.Icon},
          std::pair{"WMCLASS", Info.WindowClass}, std::pair{"APPLICATION_ID", Info.ApplicationId}}) {
        if (!Value.empty()) {
            Fields.emplace_back(Key, Value);
        }
    }
    Send(StartupMessage("new", Fields));
    return Id;
}

void TX11StartupNotice::Cancel(const std::string& Id) {
    Send(StartupMessage("remove", {{"ID", Id}}));
}

// Messages go to the root from a window of their own, which tells the receivers whose chunks belong
// together.
void TX11StartupNotice::Send(const std::string& Message) {
    if (FBeginAtom == XCB_ATOM_NONE) {
        FBeginAtom = InternAtom(FConnection, "_NET_STARTUP_INFO_BEGIN");
        FMoreAtom = InternAtom(FConnection, "_NET_STARTUP_INFO");
    }
    const xcb_window_t Root = FirstRoot(FConnection);
    const xcb_window_t Sender = xcb_generate_id(FConnection);
    const std::uint32_t OverrideRedirect = 1;
    xcb_create_window(FConnection, 0, Sender, Root, -100, -100, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &OverrideRedirect);
    // The text goes with its terminating NUL.
    const std::size_t Length = Message.size() + 1;
    for (std::size_t Offset = 0; Offset < Length; Offset += ChunkSize) {
        xcb_client_message_event_t Event{};
        Event.response_type = XCB_CLIENT_MESSAGE;
        Event.format = 8;
        Event.window = Sender;
        Event.type = Offset == 0 ? FBeginAtom : FMoreAtom;
        std::memcpy(Event.data.data8, Message.c_str() + Offset, std::min(ChunkSize, Length - Offset));
        xcb_send_event(FConnection, 0, Root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&Event));
    }
    xcb_destroy_window(FConnection, Sender);
    xcb_flush(FConnection);
}

}  // namespace tulma
