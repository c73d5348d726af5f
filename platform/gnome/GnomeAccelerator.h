#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "VirtualKeys.h"

namespace tulma {

// A key combination as GNOME's keybinding settings hold it, reduced to what decides which binding a
// press fires: the modifiers and the lower-case keysym.
struct TGnomeAccelerator {
    enum : unsigned { Control = 1, Alt = 2, Shift = 4, Super = 8, Other = 16 };
    unsigned Modifiers = 0;
    TKeysym Key = 0;

    auto operator<=>(const TGnomeAccelerator&) const = default;  // NOLINT(readability-identifier-naming)
};

// MOD_* flags and a virtual-key code in GTK accelerator syntax ("<Control><Alt>k"); empty when the key
// has no keysym.
std::string GnomeAcceleratorText(unsigned Modifiers, std::uint8_t VirtualKey);

// A setting's accelerator text ("<Primary><Shift>A", "<Super>Tab"); nothing for an empty or disabled
// one and for text that names no key.
std::optional<TGnomeAccelerator> ParseGnomeAccelerator(const std::string& Text);

}  // namespace tulma
