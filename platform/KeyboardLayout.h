#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "VirtualKeys.h"

namespace tulma {

// A keyboard layout as a table of keysyms per keycode (X keycodes, which are Linux's evdev codes plus 8
// under X11 and Wayland alike), laid out as X11's core protocol does: columns 0 and 1 are the first
// group unshifted and shifted, 2 and 3 the second group. It answers which key a virtual-key code names
// and which code a pressed key has.
class TKeyboardLayout {
  public:
    using TKeycode = std::uint8_t;

    TKeyboardLayout() = default;
    TKeyboardLayout(TKeycode MinKeycode, int SymsPerCode, std::vector<TKeysym> Syms);

    // Every keycode that yields the keysym at any shift level or group.
    std::vector<TKeycode> KeycodesFor(TKeysym Sym) const;
    // The keycodes of the key a virtual-key code names on the current layout. A punctuation key is the
    // key that types its US symbol unshifted, else the key at its US place.
    std::vector<TKeycode> KeycodesForVirtualKey(std::uint8_t VirtualKey) const;
    // The keysym in a column of the table, 0 when none.
    TKeysym KeysymAt(TKeycode Code, int Level) const;

    // The virtual-key code of a pressed key: Code is its keycode, Pressed the keysym it typed with the
    // modifiers of the moment. The unshifted symbol decides, so that Shift+1 is still the 1 key; keypad
    // digits typed with Num Lock stay keypad digits. 0 when the key has no code.
    std::uint8_t VirtualKeyOf(TKeycode Code, TKeysym Pressed) const;

    // The one character that the key of a virtual-key code types unshifted (upper-case for letters), in
    // UTF-8; empty when the key does not exist or types no single printable character.
    std::string KeyName(std::uint8_t VirtualKey) const;

  private:
    TKeycode MinKeycode = 0;
    int SymsPerCode = 0;
    std::vector<TKeysym> Syms;

    // KeycodesForVirtualKey walks the whole table; a file registers many hotkeys on few keys.
    mutable std::array<std::optional<std::vector<TKeycode>>, 256> KeycodesOfVirtualKey;

    std::vector<TKeycode> KeycodesAtLevel(TKeysym Sym, int Level) const;
    std::vector<TKeycode> FindKeycodesForVirtualKey(std::uint8_t VirtualKey) const;
    int KeycodeCount() const { return SymsPerCode == 0 ? 0 : static_cast<int>(Syms.size()) / SymsPerCode; }
};

}  // namespace tulma
