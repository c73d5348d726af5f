#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tulma {

// The name of the keysym that a virtual-key code names, in lower case, as compositors' binding texts
// want it ("k", "Tab", "F1"); empty when the code has no keysym.
std::string LowerKeysymName(std::uint8_t VirtualKey);

// How a compositor's binding syntax writes the three modifiers, each put before the key's name.
struct TModifierWords {
    std::string_view Control;
    std::string_view Alt;
    std::string_view Shift;
};

// MOD_* flags and a virtual-key code in a compositor's binding syntax: the modifiers' words in the order
// Control, Alt, Shift, then LowerKeysymName; empty when the key has no keysym.
std::string BindingText(unsigned Modifiers, std::uint8_t VirtualKey, const TModifierWords& Words);

}  // namespace tulma
