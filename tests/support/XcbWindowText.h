#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <xcb/xcb.h>

// What the small X client programs of the tests and benchmarks need to name their windows.
namespace tulma::test {

inline xcb_atom_t Intern(xcb_connection_t* Connection, const char* Name) {
    xcb_intern_atom_reply_t* Reply = xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(Name)), Name),
        nullptr);
    const xcb_atom_t Atom = Reply != nullptr ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(Reply);
    return Atom;
}

inline void SetText(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                    const std::string& Text) {
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Window, Property, Type, 8,
                        static_cast<std::uint32_t>(Text.size()), Text.data());
}

}  // namespace tulma::test
