#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <string_view>

#include "XcbReply.h"

namespace tulma {

// The atoms the desktop layer talks in, interned once per connection.
struct TXcbAtoms {
    xcb_atom_t NetSupportingWmCheck = XCB_ATOM_NONE;
    xcb_atom_t NetClientList = XCB_ATOM_NONE;
    xcb_atom_t NetClientListStacking = XCB_ATOM_NONE;
    xcb_atom_t NetActiveWindow = XCB_ATOM_NONE;
    xcb_atom_t NetWmName = XCB_ATOM_NONE;
    xcb_atom_t NetWmPid = XCB_ATOM_NONE;
    xcb_atom_t NetWmState = XCB_ATOM_NONE;
    xcb_atom_t NetWmStateHidden = XCB_ATOM_NONE;
    xcb_atom_t NetWmStateMaximizedVert = XCB_ATOM_NONE;
    xcb_atom_t NetWmStateMaximizedHorz = XCB_ATOM_NONE;
    xcb_atom_t NetRestackWindow = XCB_ATOM_NONE;
    xcb_atom_t Utf8String = XCB_ATOM_NONE;
    xcb_atom_t WmState = XCB_ATOM_NONE;
    xcb_atom_t WmChangeState = XCB_ATOM_NONE;

    explicit TXcbAtoms(xcb_connection_t* Connection);
};

// One atom more, for a part that needs it alone (one round trip); XCB_ATOM_NONE when it failed. Inline,
// so that small X clients without the rest of the desktop layer can use it.
inline xcb_atom_t InternAtom(xcb_connection_t* Connection, std::string_view Name) {
    const TXcbReply<xcb_intern_atom_reply_t> Reply(xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(Name.size()), Name.data()),
        nullptr));
    return Reply ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace tulma
