#include "XcbAtoms.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "XcbReply.h"

namespace tulma {

TXcbAtoms::TXcbAtoms(xcb_connection_t* Connection) {
    const std::array<std::pair<const char*, xcb_atom_t*>, 14> Names{{
        {"_NET_SUPPORTING_WM_CHECK", &NetSupportingWmCheck},
        {"_NET_CLIENT_LIST", &NetClientList},
        {"_NET_CLIENT_LIST_STACKING", &NetClientListStacking},
        {"_NET_ACTIVE_WINDOW", &NetActiveWindow},
        {"_NET_WM_NAME", &NetWmName},
        {"_NET_WM_PID", &NetWmPid},
        {"_NET_WM_STATE", &NetWmState},
        {"_NET_WM_STATE_HIDDEN", &NetWmStateHidden},
        {"_NET_WM_STATE_MAXIMIZED_VERT", &NetWmStateMaximizedVert},
        {"_NET_WM_STATE_MAXIMIZED_HORZ", &NetWmStateMaximizedHorz},
        {"_NET_RESTACK_WINDOW", &NetRestackWindow},
        {"UTF8_STRING", &Utf8String},
        {"WM_STATE", &WmState},
        {"WM_CHANGE_STATE", &WmChangeState},
    }};
    std::array<xcb_intern_atom_cookie_t, Names.size()> Cookies{};
    for (std::size_t I = 0; I < Names.size(); ++I) {
        Cookies[I] = xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(Names[I].first)),
                                     Names[I].first);
    }
    for (std::size_t I = 0; I < Names.size(); ++I) {
        if (const TXcbReply<xcb_intern_atom_reply_t> Reply{
                xcb_intern_atom_reply(Connection, Cookies[I], nullptr)}) {
            *Names[I].second = Reply->atom;
        }
    }
}

}  // namespace tulma
