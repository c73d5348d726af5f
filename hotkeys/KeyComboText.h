#pragma once

#include <cstdint>
#include <string>

#include "KeyNames.h"

namespace tulma {

// Key-combination bits beside the virtual-key code in bits 0-7.
constexpr uint16_t ShiftBit = 0x2000;
constexpr uint16_t CtrlBit = 0x4000;
constexpr uint16_t AltBit = 0x8000;

// The display text of a key combination, with the key names in force (ProgramTexts.h): Ctrl+Alt+E is
// "Strg+Alt+E" with the built-in German names, "Ctrl+Alt+E" in English.
std::string KeyComboText(uint16_t Value);

// Installs the keyboard layout's names of the keys that have no fixed name (a punctuation key, say); the
// desktop layer gives them. Without a lookup such keys have no text.
void SetKeyNameLookup(TKeyNameLookup Lookup);

}  // namespace tulma
