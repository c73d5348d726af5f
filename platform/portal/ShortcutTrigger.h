#pragma once

#include <cstdint>
#include <string>

namespace tulma {

// The combination of MOD_* flags and a virtual-key code in the trigger syntax of desktop shortcuts
// ("CTRL+ALT+K": modifiers, then the key's keysym name); empty when the key has no keysym.
std::string ShortcutTrigger(unsigned Modifiers, std::uint8_t VirtualKey);

// Whether a trigger as a desktop describes it to the user ("Ctrl+Alt+K", "Meta+Page Down") names the
// same combination as Trigger in the shortcut syntax. Case, the order of the modifiers and the usual
// spellings of a key name do not matter.
bool SameTrigger(const std::string& Described, const std::string& Trigger);

}  // namespace tulma
