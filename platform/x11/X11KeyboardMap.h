#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "VirtualKeys.h"

namespace tulma {

// A snapshot of the server's keyboard and modifier mapping: which keycodes give which keysyms, and
// which modifier bits Num Lock and Scroll Lock sit on. Take a new one after a mapping change.
class TX11KeyboardMap {
  public:
    explicit TX11KeyboardMap(xcb_connection_t* Connection);

    // Every keycode that yields the keysym at any shift level or group.
    std::vector<xcb_keycode_t> KeycodesFor(TKeysym Sym) const;
    // The keycodes of the key a virtual-key code names on the current layout. A punctuation key is the
    // key that types its US symbol unshifted, else the key at its US place.
    std::vector<xcb_keycode_t> KeycodesForVirtualKey(std::uint8_t VirtualKey) const;
    // The keysym in a column of the core mapping (0 and 1: first group unshifted and shifted), 0 when none.
    TKeysym KeysymAt(xcb_keycode_t Keycode, int Level) const;
    // The modifier bit that a key with the keysym sets, 0 when no modifier carries it.
    std::uint16_t ModifierMaskOf(TKeysym Sym) const;

    std::uint16_t NumLockMask() const { return NumLock; }
    std::uint16_t ScrollLockMask() const { return ScrollLock; }

    // The virtual-key code of a pressed key: Keycode is the X keycode, Pressed the keysym it typed with the
    // modifiers of the moment. The unshifted symbol decides, so that Shift+1 is still the 1 key; keypad
    // digits typed with Num Lock stay keypad digits. 0 when the key has no code.
    std::uint8_t VirtualKeyOf(xcb_keycode_t Keycode, TKeysym Pressed) const;

    // The one character that the key of a virtual-key code types unshifted (upper-case for letters), in
    // UTF-8; empty when the key does not exist or types no single printable character.
    std::string KeyName(std::uint8_t VirtualKey) const;

  private:
    static constexpr TKeysym NumLockSym = 0xff7f;
    static constexpr TKeysym ScrollLockSym = 0xff14;

    xcb_keycode_t MinKeycode = 0;
    int SymsPerCode = 0;
    std::vector<TKeysym> Syms;
    int KeycodesPerModifier = 0;
    std::vector<xcb_keycode_t> ModifierKeycodes;
    std::uint16_t NumLock = 0;
    std::uint16_t ScrollLock = 0;

    // KeycodesForVirtualKey walks the whole mapping; a file registers many hotkeys on few keys.
    mutable std::array<std::optional<std::vector<xcb_keycode_t>>, 256> KeycodesOfVirtualKey;

    std::vector<xcb_keycode_t> KeycodesAtLevel(TKeysym Sym, int Level) const;
    std::vector<xcb_keycode_t> FindKeycodesForVirtualKey(std::uint8_t VirtualKey) const;
    int KeycodeCount() const { return SymsPerCode == 0 ? 0 : static_cast<int>(Syms.size()) / SymsPerCode; }
};

}  // namespace tulma
