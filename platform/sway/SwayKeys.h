#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "SwayConfig.h"

namespace tulma {

// MOD_* flags and a virtual-key code as sway's bindsym takes them ("Ctrl+Alt+k": lower-case keysym
// names, Shift spelled out); empty when the key has no keysym.
std::string SwayCombinationText(unsigned Modifiers, std::uint8_t VirtualKey);

// The ways a configuration can bind the same combination: by keysym name, and by each keycode of the
// default keyboard map that types the key (bindcode).
std::set<TSwayCombination> SwaySpellings(unsigned Modifiers, std::uint8_t VirtualKey);

}  // namespace tulma
