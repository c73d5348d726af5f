#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <xcb/xcb.h>

namespace tulma {

struct FreeDeleter {
    void operator()(void* Pointer) const { std::free(Pointer); }
};

// xcb hands out replies and errors allocated with malloc.
template <class T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// A request whose reply is collected later, so that other work overlaps the round trip. A reply never
// collected is discarded, not left queued.
template <class Reply, class Cookie>
class DeferredReply {
  public:
    using Collector = Reply* (*)(xcb_connection_t*, Cookie, xcb_generic_error_t**);

    DeferredReply(xcb_connection_t* Connection, Cookie Sent, Collector Collect)
        : Connection(Connection), Sent(Sent), Collect(Collect) {}
    ~DeferredReply() {
        if (Pending) {
            xcb_discard_reply(Connection, Sent.sequence);
        }
    }
    DeferredReply(DeferredReply&& Other) noexcept
        : Connection(Other.Connection), Sent(Other.Sent), Collect(Other.Collect), Pending(Other.Pending) {
        Other.Pending = false;
    }
    DeferredReply& operator=(DeferredReply&&) = delete;

    // Waits for the reply; null when the request failed. Only once.
    XcbReply<Reply> Take() {
        Pending = false;
        xcb_generic_error_t* Error = nullptr;
        XcbReply<Reply> Answer(Collect(Connection, Sent, &Error));
        std::free(Error);
        return Answer;
    }

  private:
    xcb_connection_t* Connection;
    Cookie Sent;
    Collector Collect;
    bool Pending = true;
};

using DeferredProperty = DeferredReply<xcb_get_property_reply_t, xcb_get_property_cookie_t>;

// Sends a request for a window property of 32-bit items; CardinalsOf reads its reply.
DeferredProperty RequestCardinals(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property,
                                  xcb_atom_t Type);
std::vector<std::uint32_t> CardinalsOf(DeferredProperty& Request, xcb_atom_t Type);

// A window property of 32-bit items (windows, atoms, cardinals); empty when absent or of another format.
std::vector<std::uint32_t> GetCardinals(xcb_connection_t* Connection, xcb_window_t Window,
                                        xcb_atom_t Property, xcb_atom_t Type);

// Sends a request for a window property of 8-bit items of any type; BytesOf reads its reply as bytes, with
// its type (none when absent).
DeferredProperty RequestBytes(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property);
std::string BytesOf(DeferredProperty& Request, xcb_atom_t* Type);

// Whether an EWMH window manager runs: the root names a check window that names itself. A property left
// behind by a window manager that has gone does not count.
bool WindowManagerRunning(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t SupportingWmCheck);
// The same, with the root's check property already requested.
bool WindowManagerRunning(xcb_connection_t* Connection, DeferredProperty& RootCheck,
                          xcb_atom_t SupportingWmCheck);

// The root window of the connection's first screen.
xcb_window_t FirstRoot(xcb_connection_t* Connection);

// Sends a 32-bit client message about Window to the root, as window managers expect requests.
void SendToRoot(xcb_connection_t* Connection, xcb_window_t Root, xcb_window_t Window, xcb_atom_t Type,
                std::uint32_t D0, std::uint32_t D1 = 0, std::uint32_t D2 = 0, std::uint32_t D3 = 0,
                std::uint32_t D4 = 0);

}  // namespace tulma
