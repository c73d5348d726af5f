#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <set>
#include <vector>

#include "XServerFixture.h"

namespace tulma::test {

// The hotkey values (Windows layout: key code, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) among HotKeys whose
// combination some other client has grabbed on the root window: a grab of our own is refused with
// BadAccess then. Grabs that succeed are let go at once.
std::set<std::uint16_t> HeldCombinations(xcb_connection_t* Connection, const FakeKeyboard& Keyboard,
                                         const std::vector<std::uint16_t>& HotKeys);

}  // namespace tulma::test
