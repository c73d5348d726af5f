#include "KeyCapture.h"

#include "KeyComboText.h"
#include "VirtualKeys.h"

namespace tulma {

std::optional<std::uint16_t> CapturedKeyValue(std::uint8_t VirtualKey, Qt::KeyboardModifiers Modifiers) {
    switch (VirtualKey) {
        case 0:
        case Vk::Tab:
        case Vk::Shift:
        case Vk::Control:
        case Vk::Menu:
            return std::nullopt;
        default:
            break;
    }
    const bool Shift = Modifiers.testFlag(Qt::ShiftModifier);
    const bool Ctrl = Modifiers.testFlag(Qt::ControlModifier);
    const bool Alt = Modifiers.testFlag(Qt::AltModifier);
    if ((VirtualKey == Vk::Return || VirtualKey == Vk::Escape) && !Shift && !Ctrl && !Alt) {
        return std::nullopt;
    }
    std::uint16_t Value = VirtualKey;
    Value |= Shift ? ShiftBit : 0;
    Value |= Ctrl ? CtrlBit : 0;
    Value |= Alt ? AltBit : 0;
    return Value;
}

}  // namespace tulma
