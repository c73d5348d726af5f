#pragma once

#include <Qt>

#include <cstdint>
#include <functional>

class QKeyEvent;

namespace tulma {

// Qt's key numbers and Windows virtual-key codes. Keypad keys are told apart by Qt::KeypadModifier.
std::uint8_t VirtualKeyFromQtKey(int Key, Qt::KeyboardModifiers Modifiers);
// The Qt key of a code, Qt::Key_unknown when none; keypad codes give the plain digit or operator key.
int QtKeyFromVirtualKey(std::uint8_t VirtualKey);

// The Qt key combination of MOD_* flags and a virtual-key code, as KDE's shortcuts store it (keypad keys
// carry Qt::KeypadModifier); 0 when the key has no Qt key.
int QtKeyCombination(unsigned Modifiers, std::uint8_t VirtualKey);

// The backend's code of a captured key press (the X11 one reads the key's place on the current layout, so
// the key that types a is 0x41 on any layout); 0 when it cannot tell.
using TKeyEventLookup = std::function<std::uint8_t(const QKeyEvent&)>;
// The program sets the lookup of the backend its windows run on; dialogs capture keys through it.
void SetKeyEventLookup(TKeyEventLookup Lookup);

// The virtual-key code of a captured key press: the backend's lookup when it knows the key, else from
// the keysym or Qt's key. 0 when the key has no code.
std::uint8_t VirtualKeyFromKeyEvent(const QKeyEvent& Event);

}  // namespace tulma
