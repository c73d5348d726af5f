#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tulma {

// Key-combination bits beside the virtual-key code in bits 0-7.
constexpr uint16_t ShiftBit = 0x2000;
constexpr uint16_t CtrlBit = 0x4000;
constexpr uint16_t AltBit = 0x8000;

// The display text of a key combination, with the key names in force (ProgramTexts.h): Ctrl+Alt+E is
// "Strg+Alt+E" with the built-in German names, "Ctrl+Alt+E" in English.
std::string KeyComboText(uint16_t Value);

// The keyboard layout's name of a key that has no fixed name (a punctuation key, say). The desktop
// layer installs it; without one such keys have no text.
using TKeyNameLookup = std::function<std::string(uint8_t VirtualKey)>;
void SetKeyNameLookup(TKeyNameLookup Lookup);

}  // namespace tulma
