#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "XcbReply.h"

namespace tulma {

// The numbers of EWMH and ICCCM messages and states.
constexpr std::uint32_t NetWmStateRemove = 0;
constexpr std::uint32_t NetWmStateAdd = 1;
// A request's source: a pager, which window managers obey without focus-stealing prevention's doubts.
constexpr std::uint32_t SourcePager = 2;
constexpr std::uint32_t IcccmWithdrawn = 0;
constexpr std::uint32_t IcccmIconic = 3;

// Sends a request for a window property of 32-bit items; CardinalsOf reads its reply.
TDeferredProperty RequestCardinals(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property,
                                   xcb_atom_t Type);
std::vector<std::uint32_t> CardinalsOf(TDeferredProperty& Request, xcb_atom_t Type);

// A window property of 32-bit items (windows, atoms, cardinals); empty when absent or of another format.
std::vector<std::uint32_t> GetCardinals(xcb_connection_t* Connection, xcb_window_t Window,
                                        xcb_atom_t Property, xcb_atom_t Type);

// Sends a request for a window property of 8-bit items of any type; BytesOf reads its reply as bytes, with
// its type (none when absent).
TDeferredProperty RequestBytes(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property);
std::string BytesOf(TDeferredProperty& Request, xcb_atom_t* Type);

// Whether an EWMH window manager runs: the root names a check window that names itself. A property left
// behind by a window manager that has gone does not count.
bool WindowManagerRunning(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t SupportingWmCheck);
// The same, with the root's check property already requested.
bool WindowManagerRunning(xcb_connection_t* Connection, TDeferredProperty& RootCheck,
                          xcb_atom_t SupportingWmCheck);

// Whether an EWMH window manager runs, asked together with other questions. The check window found the
// last time is asked about at once, so that only a window manager that changed costs a second round trip.
class TWindowManagerCheck {
  public:
    struct TRequests {
        TDeferredProperty RootCheck;
        // The check window found the last time, and its own check property.
        xcb_window_t Known = XCB_WINDOW_NONE;
        std::optional<TDeferredProperty> KnownCheck;
    };

    TRequests Request(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t SupportingWmCheck) const;
    bool Running(xcb_connection_t* Connection, TRequests& Requests, xcb_atom_t SupportingWmCheck);

  private:
    xcb_window_t Known = XCB_WINDOW_NONE;
};

// The window's attributes; null when the window has gone (its error is dropped).
using TDeferredAttributes =
    TDeferredReply<xcb_get_window_attributes_reply_t, xcb_get_window_attributes_cookie_t>;
TDeferredAttributes RequestWindowAttributes(xcb_connection_t* Connection, xcb_window_t Window);
TXcbReply<xcb_get_window_attributes_reply_t> WindowAttributes(xcb_connection_t* Connection,
                                                              xcb_window_t Window);

// The root window of the connection's first screen.
xcb_window_t FirstRoot(xcb_connection_t* Connection);

// Sends a 32-bit client message about Window to the root, as window managers expect requests.
void SendToRoot(xcb_connection_t* Connection, xcb_window_t Root, xcb_window_t Window, xcb_atom_t Type,
                std::uint32_t D0, std::uint32_t D1 = 0, std::uint32_t D2 = 0, std::uint32_t D3 = 0,
                std::uint32_t D4 = 0);

// The root's children, bottom first: the top-level windows when no window manager lists them.
std::vector<std::uint32_t> RootChildren(xcb_connection_t* Connection, xcb_window_t Root);

// The window manager's active window (NetActiveWindow: the atom _NET_ACTIVE_WINDOW); none when it names
// none.
xcb_window_t ActiveWindowOf(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t NetActiveWindow);

// Asks the window manager to activate Window, as a pager, for a user action at Time (XCB_CURRENT_TIME
// when unknown); Current is the window active so far.
void RequestActivation(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t NetActiveWindow,
                       xcb_window_t Window, xcb_timestamp_t Time, xcb_window_t Current);

// Puts Window above its siblings.
void RaiseWindow(xcb_connection_t* Connection, xcb_window_t Window);
// The window with the input focus; none when the server does not answer.
xcb_window_t InputFocus(xcb_connection_t* Connection);
// Gives Window the input focus, reverting to the pointer root, without a window manager. A refused focus
// (the window went meanwhile, or takes no input) is of no consequence and dropped.
void SetInputFocus(xcb_connection_t* Connection, xcb_window_t Window, xcb_timestamp_t Time);

}  // namespace tulma
