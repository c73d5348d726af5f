#include "KeyboardMapping.h"

#include <cstdlib>

namespace tulma::test {

KeyboardMapping::KeyboardMapping(xcb_connection_t* Connection) : Connection(Connection) {
    const xcb_setup_t* Setup = xcb_get_setup(Connection);
    xcb_get_keyboard_mapping_reply_t* Reply = xcb_get_keyboard_mapping_reply(
        Connection, xcb_get_keyboard_mapping(Connection, Setup->min_keycode, 1), nullptr);
    PerCode = Reply != nullptr ? Reply->keysyms_per_keycode : 0;
    std::free(Reply);
}

KeyboardMapping::~KeyboardMapping() {
    for (const auto& [Keycode, Keysyms] : Saved) {
        Write(Keycode, Keysyms);
    }
    xcb_flush(Connection);
}

std::vector<std::uint32_t> KeyboardMapping::Read(xcb_keycode_t Keycode) {
    xcb_get_keyboard_mapping_reply_t* Reply =
        xcb_get_keyboard_mapping_reply(Connection, xcb_get_keyboard_mapping(Connection, Keycode, 1), nullptr);
    std::vector<std::uint32_t> Keysyms;
    if (Reply != nullptr) {
        const xcb_keysym_t* Data = xcb_get_keyboard_mapping_keysyms(Reply);
        Keysyms.assign(Data, Data + xcb_get_keyboard_mapping_keysyms_length(Reply));
    }
    std::free(Reply);
    return Keysyms;
}

void KeyboardMapping::Write(xcb_keycode_t Keycode, std::vector<std::uint32_t> Keysyms) {
    Keysyms.resize(PerCode, 0);
    xcb_change_keyboard_mapping(Connection, 1, Keycode, PerCode, Keysyms.data());
}

void KeyboardMapping::Set(xcb_keycode_t Keycode, const std::vector<std::uint32_t>& Keysyms) {
    if (!Saved.contains(Keycode)) {
        Saved[Keycode] = Read(Keycode);
    }
    Write(Keycode, Keysyms);
    xcb_flush(Connection);
}

}  // namespace tulma::test
