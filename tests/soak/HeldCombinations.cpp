#include "HeldCombinations.h"

#include <cstdlib>

#include "VirtualKeys.h"

namespace tulma::test {

namespace {

std::uint16_t XModifiers(std::uint16_t HotKey) {
    std::uint16_t Modifiers = 0;
    Modifiers |= (HotKey & 0x2000) != 0 ? XCB_MOD_MASK_SHIFT : 0;
    Modifiers |= (HotKey & 0x4000) != 0 ? XCB_MOD_MASK_CONTROL : 0;
    Modifiers |= (HotKey & 0x8000) != 0 ? XCB_MOD_MASK_1 : 0;
    return Modifiers;
}

}  // namespace

std::set<std::uint16_t> HeldCombinations(xcb_connection_t* Connection, const FakeKeyboard& Keyboard,
                                         const std::vector<std::uint16_t>& HotKeys) {
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
    std::set<std::uint16_t> Held;
    for (const std::uint16_t HotKey : HotKeys) {
        const xcb_keycode_t Keycode =
            Keyboard.Keycode(KeysymFromVirtualKey(static_cast<std::uint8_t>(HotKey & 0xFF)));
        if (Keycode == 0) {
            continue;
        }
        xcb_generic_error_t* Error = xcb_request_check(
            Connection, xcb_grab_key_checked(Connection, 0, Root, XModifiers(HotKey), Keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        if (Error != nullptr) {
            Held.insert(HotKey);
            std::free(Error);
        } else {
            xcb_ungrab_key(Connection, Keycode, Root, XModifiers(HotKey));
        }
    }
    xcb_flush(Connection);
    return Held;
}

}  // namespace tulma::test
