#pragma once

#include <cstdint>
#include <string>

#include <xcb/xcb.h>

#include "XcbAtoms.h"

// What the small X client programs of the tests and benchmarks need to name their windows.
namespace tulma::test {

inline void SetText(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                    const std::string& Text) {
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Window, Property, Type, 8,
                        static_cast<std::uint32_t>(Text.size()), Text.data());
}

}  // namespace tulma::test
