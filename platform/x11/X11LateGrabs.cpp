#include "X11LateGrabs.h"

#include <cstdlib>
#include <utility>

#include <xcb/xcbext.h>

#include "XcbReply.h"

namespace tulma {

namespace {

// The server walks its whole list of grabs for every grab: with thousands of grabs, a batch of this many
// costs it a few milliseconds, which is the longest any other request of this program waits behind one.
constexpr std::size_t Batch = 128;
// How often a batch in flight is looked at.
constexpr int PollMs = 2;

}  // namespace

TX11LateGrabs::TX11LateGrabs(xcb_connection_t* Connection, xcb_window_t Root, TSending Sending,
                             TAnswered Answered)
    : Connection(Connection), Root(Root), Sending(std::move(Sending)), Answered(std::move(Answered)) {
    Poll.setInterval(PollMs);
    QObject::connect(&Poll, &QTimer::timeout, [this] { Advance(); });
}

void TX11LateGrabs::Queue(std::uint16_t Id, std::uint64_t Round, const std::vector<TKeyGrab>& Grabs) {
    for (const TKeyGrab& Grab : Grabs) {
        Unsent.push_back(TLateGrab{.Id = Id, .Round = Round, .Grab = Grab});
    }
    if (!Grabs.empty()) {
        Unsent.back().Last = true;
    }
}

void TX11LateGrabs::Send() {
    if (!InFlight.empty() || Unsent.empty()) {
        return;
    }
    while (!Unsent.empty() && InFlight.size() < Batch) {
        TLateGrab Late = Unsent.front();
        Unsent.pop_front();
        if (!Sending(Late)) {
            continue;
        }
        Late.Cookie = xcb_grab_key_checked(Connection, 0, Root, Late.Grab.Modifiers, Late.Grab.Keycode,
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        InFlight.push_back(Late);
    }
    if (InFlight.empty()) {
        return;
    }
    Marker = xcb_get_input_focus(Connection).sequence;
    xcb_flush(Connection);
    Poll.start();
}

// Once the batch is done, reading its answers does not wait.
void TX11LateGrabs::Advance() {
    void* Reply = nullptr;
    xcb_generic_error_t* Error = nullptr;
    if (xcb_poll_for_reply(Connection, Marker, &Reply, &Error) == 0) {
        return;
    }
    std::free(Reply);
    std::free(Error);
    Poll.stop();
    std::vector<TLateGrab> Done;
    Done.swap(InFlight);
    for (TLateGrab& Late : Done) {
        TXcbReply<xcb_generic_error_t> Refusal(xcb_request_check(Connection, Late.Cookie));
        Late.ErrorCode = Refusal != nullptr ? Refusal->error_code : 0;
    }
    Answered(Done);
    Send();
}

void TX11LateGrabs::ForgetUnsent() {
    Unsent.clear();
}

void TX11LateGrabs::Discard() {
    for (const TLateGrab& Late : InFlight) {
        xcb_discard_reply(Connection, Late.Cookie.sequence);
    }
    if (!InFlight.empty()) {
        xcb_discard_reply(Connection, Marker);
    }
    Poll.stop();
    InFlight.clear();
    Unsent.clear();
}

}  // namespace tulma
