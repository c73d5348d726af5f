#pragma once

#include <cstdint>
#include <vector>

#include <xcb/xcb.h>

#include "KeyboardLayout.h"

namespace tulma {

// A snapshot of the server's keyboard and modifier mapping: which keycodes give which keysyms, and
// which modifier bits Num Lock and Scroll Lock sit on. Take a new one after a mapping change.
class TX11KeyboardMap : public TKeyboardLayout {
  public:
    explicit TX11KeyboardMap(xcb_connection_t* Connection);

    // The modifier bit that a key with the keysym sets, 0 when no modifier carries it.
    std::uint16_t ModifierMaskOf(TKeysym Sym) const;

    std::uint16_t NumLockMask() const { return NumLock; }
    std::uint16_t ScrollLockMask() const { return ScrollLock; }

  private:
    static constexpr TKeysym NumLockSym = 0xff7f;
    static constexpr TKeysym ScrollLockSym = 0xff14;

    int KeycodesPerModifier = 0;
    std::vector<xcb_keycode_t> ModifierKeycodes;
    std::uint16_t NumLock = 0;
    std::uint16_t ScrollLock = 0;
};

}  // namespace tulma
