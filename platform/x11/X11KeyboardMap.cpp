#include "X11KeyboardMap.h"

#include <algorithm>

#include "XcbReply.h"

namespace tulma {

namespace {

TKeyboardLayout CoreLayout(xcb_connection_t* Connection) {
    const xcb_setup_t* Setup = xcb_get_setup(Connection);
    const auto Count = static_cast<std::uint8_t>(Setup->max_keycode - Setup->min_keycode + 1);
    TXcbReply<xcb_get_keyboard_mapping_reply_t> Mapping(xcb_get_keyboard_mapping_reply(
        Connection, xcb_get_keyboard_mapping(Connection, Setup->min_keycode, Count), nullptr));
    if (!Mapping) {
        return {};
    }
    const xcb_keysym_t* Data = xcb_get_keyboard_mapping_keysyms(Mapping.get());
    return {Setup->min_keycode, Mapping->keysyms_per_keycode,
            std::vector<TKeysym>(Data, Data + xcb_get_keyboard_mapping_keysyms_length(Mapping.get()))};
}

}  // namespace

TX11KeyboardMap::TX11KeyboardMap(xcb_connection_t* Connection) : TKeyboardLayout(CoreLayout(Connection)) {
    TXcbReply<xcb_get_modifier_mapping_reply_t> Modifiers(
        xcb_get_modifier_mapping_reply(Connection, xcb_get_modifier_mapping(Connection), nullptr));
    if (Modifiers) {
        KeycodesPerModifier = Modifiers->keycodes_per_modifier;
        const xcb_keycode_t* Data = xcb_get_modifier_mapping_keycodes(Modifiers.get());
        ModifierKeycodes.assign(Data, Data + xcb_get_modifier_mapping_keycodes_length(Modifiers.get()));
    }
    NumLock = ModifierMaskOf(NumLockSym);
    ScrollLock = ModifierMaskOf(ScrollLockSym);
}

std::uint16_t TX11KeyboardMap::ModifierMaskOf(TKeysym Sym) const {
    const auto Keycodes = KeycodesFor(Sym);
    for (std::size_t Index = 0; Index < ModifierKeycodes.size(); ++Index) {
        const xcb_keycode_t Keycode = ModifierKeycodes[Index];
        if (Keycode != 0 && std::find(Keycodes.begin(), Keycodes.end(), Keycode) != Keycodes.end()) {
            return static_cast<std::uint16_t>(1u << (Index / static_cast<std::size_t>(KeycodesPerModifier)));
        }
    }
    return 0;
}

}  // namespace tulma
