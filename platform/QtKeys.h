#pragma once

#include <Qt>

#include <cstdint>

class QKeyEvent;

namespace tulma {

// Qt's key numbers and Windows virtual-key codes. Keypad keys are told apart by Qt::KeypadModifier.
std::uint8_t VirtualKeyFromQtKey(int Key, Qt::KeyboardModifiers Modifiers);
// The Qt key of a code, Qt::Key_unknown when none; keypad codes give the plain digit or operator key.
int QtKeyFromVirtualKey(std::uint8_t VirtualKey);

// The virtual-key code of a captured key press: on X11 from the key's X keycode and keysym on the current
// layout (so the key that types a is 0x41 on any layout), elsewhere from Qt's key. 0 when the key has
// no code.
std::uint8_t VirtualKeyFromKeyEvent(const QKeyEvent& Event);

}  // namespace tulma
