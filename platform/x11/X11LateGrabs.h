#pragma once

#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include <xcb/xcb.h>

namespace tulma {

// One passive grab of a key with its modifiers on the root window.
struct TKeyGrab {
    xcb_keycode_t Keycode = 0;
    std::uint16_t Modifiers = 0;
};

// A grab sent after its registration was answered.
struct TLateGrab {
    std::uint16_t Id = 0;
    // The sending of the registration's grabs it belongs to: one of an earlier sending is stale.
    std::uint64_t Round = 0;
    TKeyGrab Grab;
    // The registration's last one: granted, it confirms the registration.
    bool Last = false;
    xcb_void_cookie_t Cookie{};
    // The X error the grab was refused with; 0 when it was granted.
    std::uint8_t ErrorCode = 0;
};

// Key grabs sent a batch at a time while the event loop runs, after their registrations were answered. The
// server walks its whole list of grabs for every grab, so thousands of them keep it busy for a while, which
// nobody needs to wait for. Each batch is followed by a request whose answer says the server has done it; a
// timer looks for that answer, since it comes on Qt's connection, which signals no reply.
class TX11LateGrabs {
  public:
    // Whether a grab is still wanted, asked just before it is sent: its registration may have gone or been
    // sent anew meanwhile.
    using TSending = std::function<bool(const TLateGrab&)>;
    // The grabs of a batch the server has done, each with its answer.
    using TAnswered = std::function<void(const std::vector<TLateGrab>& Batch)>;

    TX11LateGrabs(xcb_connection_t* Connection, xcb_window_t Root, TSending Sending, TAnswered Answered);

    // The grabs of one registration (Id, as sent in Round), to be sent after those queued before.
    void Queue(std::uint16_t Id, std::uint64_t Round, const std::vector<TKeyGrab>& Grabs);
    // The next batch, unless one is in flight.
    void Send();
    // Drops the grabs not sent yet.
    void ForgetUnsent();
    // Drops everything, with the answers of a batch in flight: they must not stay queued on a connection that
    // outlives this object.
    void Discard();

  private:
    xcb_connection_t* Connection;
    xcb_window_t Root;
    TSending Sending;
    TAnswered Answered;
    std::deque<TLateGrab> Unsent;
    std::vector<TLateGrab> InFlight;
    // The request after the batch in flight: once it is answered, so is every grab of the batch.
    unsigned Marker = 0;
    QTimer Poll;

    void Advance();
};

}  // namespace tulma
