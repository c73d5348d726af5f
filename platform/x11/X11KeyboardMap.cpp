#include "X11KeyboardMap.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>

#include "XcbReply.h"

namespace tulma {

namespace {

int CodePointCount(const std::string& Utf8) {
    return static_cast<int>(std::count_if(
        Utf8.begin(), Utf8.end(), [](char C) { return (static_cast<unsigned char>(C) & 0xC0) != 0x80; }));
}

}  // namespace

TX11KeyboardMap::TX11KeyboardMap(xcb_connection_t* Connection) {
    const xcb_setup_t* Setup = xcb_get_setup(Connection);
    MinKeycode = Setup->min_keycode;
    const auto Count = static_cast<std::uint8_t>(Setup->max_keycode - Setup->min_keycode + 1);
    auto MappingCookie = xcb_get_keyboard_mapping(Connection, MinKeycode, Count);
    auto ModifierCookie = xcb_get_modifier_mapping(Connection);
    TXcbReply<xcb_get_keyboard_mapping_reply_t> Mapping(
        xcb_get_keyboard_mapping_reply(Connection, MappingCookie, nullptr));
    TXcbReply<xcb_get_modifier_mapping_reply_t> Modifiers(
        xcb_get_modifier_mapping_reply(Connection, ModifierCookie, nullptr));
    if (Mapping) {
        SymsPerCode = Mapping->keysyms_per_keycode;
        const xcb_keysym_t* Data = xcb_get_keyboard_mapping_keysyms(Mapping.get());
        Syms.assign(Data, Data + xcb_get_keyboard_mapping_keysyms_length(Mapping.get()));
    }
    if (Modifiers) {
        KeycodesPerModifier = Modifiers->keycodes_per_modifier;
        const xcb_keycode_t* Data = xcb_get_modifier_mapping_keycodes(Modifiers.get());
        ModifierKeycodes.assign(Data, Data + xcb_get_modifier_mapping_keycodes_length(Modifiers.get()));
    }
    NumLock = ModifierMaskOf(NumLockSym);
    ScrollLock = ModifierMaskOf(ScrollLockSym);
}

// The core protocol lays out group 1 in columns 0 and 1 and group 2 in columns 2 and 3; searches look at
// every column, so a key counts wherever a group or level gives the keysym.
TKeysym TX11KeyboardMap::KeysymAt(xcb_keycode_t Keycode, int Level) const {
    const int Index = Keycode - MinKeycode;
    if (Keycode < MinKeycode || Index >= KeycodeCount() || Level < 0 || Level >= SymsPerCode) {
        return 0;
    }
    const TKeysym Sym = Syms[static_cast<std::size_t>(Index * SymsPerCode + Level)];
    // A lone letter in column 0 stands for both cases.
    if (Level == 1 && Sym == 0) {
        const TKeysym Lower = KeysymAt(Keycode, 0);
        return xkb_keysym_to_upper(Lower) != Lower ? xkb_keysym_to_upper(Lower) : 0;
    }
    return Sym;
}

std::vector<xcb_keycode_t> TX11KeyboardMap::KeycodesAtLevel(TKeysym Sym, int Level) const {
    const int First = Level < 0 ? 0 : Level;
    const int Last = Level < 0 ? SymsPerCode - 1 : Level;
    std::vector<xcb_keycode_t> Result;
    for (int Index = 0; Index < KeycodeCount(); ++Index) {
        const auto Keycode = static_cast<xcb_keycode_t>(MinKeycode + Index);
        for (int At = First; At <= Last; ++At) {
            if (KeysymAt(Keycode, At) == Sym) {
                Result.push_back(Keycode);
                break;
            }
        }
    }
    return Result;
}

std::vector<xcb_keycode_t> TX11KeyboardMap::KeycodesFor(TKeysym Sym) const {
    if (Sym == 0) {
        return {};
    }
    return KeycodesAtLevel(Sym, -1);
}

std::vector<xcb_keycode_t> TX11KeyboardMap::KeycodesForVirtualKey(std::uint8_t VirtualKey) const {
    std::optional<std::vector<xcb_keycode_t>>& Known = KeycodesOfVirtualKey[VirtualKey];
    if (!Known) {
        Known = FindKeycodesForVirtualKey(VirtualKey);
    }
    return *Known;
}

std::vector<xcb_keycode_t> TX11KeyboardMap::FindKeycodesForVirtualKey(std::uint8_t VirtualKey) const {
    const TKeysym Sym = KeysymFromVirtualKey(VirtualKey);
    if (!IsOemVirtualKey(VirtualKey)) {
        return KeycodesFor(Sym);
    }
    if (auto Unshifted = Sym == 0 ? std::vector<xcb_keycode_t>{} : KeycodesAtLevel(Sym, 0);
        !Unshifted.empty()) {
        return Unshifted;
    }
    const xcb_keycode_t Position = UsPositionKeycode(VirtualKey);
    if (KeysymAt(Position, 0) != 0) {
        return {Position};
    }
    return KeycodesFor(Sym);
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

std::uint8_t TX11KeyboardMap::VirtualKeyOf(xcb_keycode_t Keycode, TKeysym Pressed) const {
    const std::uint8_t PressedKey = VirtualKeyFromKeysym(Pressed);
    if (PressedKey >= Vk::Numpad0 && PressedKey <= Vk::Numpad0 + 9) {
        return PressedKey;
    }
    if (const std::uint8_t Base = VirtualKeyFromKeysym(KeysymAt(Keycode, 0)); Base != 0) {
        return Base;
    }
    if (PressedKey != 0) {
        return PressedKey;
    }
    return VirtualKeyFromUsPosition(Keycode);
}

std::string TX11KeyboardMap::KeyName(std::uint8_t VirtualKey) const {
    const auto Keycodes = KeycodesForVirtualKey(VirtualKey);
    if (Keycodes.empty()) {
        return {};
    }
    TKeysym Sym = KeysymAt(Keycodes.front(), 0);
    if (Sym == 0) {
        Sym = KeysymFromVirtualKey(VirtualKey);
    }
    std::array<char, 8> Buffer{};
    if (xkb_keysym_to_utf8(xkb_keysym_to_upper(Sym), Buffer.data(), Buffer.size()) <= 0) {
        return {};
    }
    const std::string Name(Buffer.data());
    const bool Printable = !Name.empty() && static_cast<unsigned char>(Name[0]) >= 0x20 && Name[0] != 0x7F;
    return Printable && CodePointCount(Name) == 1 ? Name : std::string();
}

}  // namespace tulma
