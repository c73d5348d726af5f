#pragma once

#include <cstdint>

// Translation between the Windows virtual-key codes that hotkey values store and X keysyms. Keysyms are
// plain numbers here so that code without X headers can use the table.
namespace tulma {

using TKeysym = std::uint32_t;

namespace Vk {
constexpr std::uint8_t Back = 0x08;
constexpr std::uint8_t Tab = 0x09;
constexpr std::uint8_t Return = 0x0D;
constexpr std::uint8_t Shift = 0x10;
constexpr std::uint8_t Control = 0x11;
constexpr std::uint8_t Menu = 0x12;
constexpr std::uint8_t Pause = 0x13;
constexpr std::uint8_t Escape = 0x1B;
constexpr std::uint8_t Space = 0x20;
constexpr std::uint8_t Left = 0x25;
constexpr std::uint8_t Insert = 0x2D;
constexpr std::uint8_t Delete = 0x2E;
constexpr std::uint8_t Numpad0 = 0x60;
constexpr std::uint8_t F1 = 0x70;
constexpr std::uint8_t F24 = 0x87;
constexpr std::uint8_t Oem1 = 0xBA;
constexpr std::uint8_t Oem102 = 0xE2;
}  // namespace Vk

// The keysym of the key that a virtual-key code names (the unshifted symbol of a US layout for the
// punctuation keys), or 0 when the code has none.
TKeysym KeysymFromVirtualKey(std::uint8_t VirtualKey);

// The virtual-key code of a keysym, shifted symbols of a US layout included (A and a both give 0x41,
// colon and semicolon both give 0xBA), or 0 when the keysym names no key of the table.
std::uint8_t VirtualKeyFromKeysym(TKeysym Sym);

// The punctuation keys whose meaning depends on the keyboard layout.
bool IsOemVirtualKey(std::uint8_t VirtualKey);

// Where a punctuation key sits on a US keyboard, as an evdev X keycode; 0 for other codes. Used when the
// current layout has no key with the US symbol (the key right of L gives ö on a German layout).
std::uint8_t UsPositionKeycode(std::uint8_t VirtualKey);
std::uint8_t VirtualKeyFromUsPosition(std::uint8_t Keycode);

}  // namespace tulma
