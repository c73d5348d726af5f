#include "KeyComboText.h"

#include <utility>

#include "ProgramTexts.h"

namespace tulma {
namespace {

TKeyNameLookup& LayoutKeyName() {
    static TKeyNameLookup Lookup;
    return Lookup;
}

std::string FixedKeyName(uint8_t Key) {
    switch (Key) {
        case 8:
            return ProgramText(TProgramText::KeyBackspace);
        case 9:
            return "Tab";
        case 13:
            return "Enter";
        case 27:
            return "Esc";
        case 32:
            return ProgramText(TProgramText::KeySpace);
        case 33:
            return ProgramText(TProgramText::KeyPageUp);
        case 34:
            return ProgramText(TProgramText::KeyPageDown);
        case 35:
            return ProgramText(TProgramText::KeyEnd);
        case 36:
            return ProgramText(TProgramText::KeyHome);
        case 37:
            return ProgramText(TProgramText::KeyLeft);
        case 38:
            return ProgramText(TProgramText::KeyUp);
        case 39:
            return ProgramText(TProgramText::KeyRight);
        case 40:
            return ProgramText(TProgramText::KeyDown);
        case 45:
            return ProgramText(TProgramText::KeyInsert);
        case 46:
            return ProgramText(TProgramText::KeyDelete);
        default:
            break;
    }
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) {
        return std::string(1, static_cast<char>(Key));
    }
    if (Key >= 96 && Key <= 105) {
        return std::string(1, static_cast<char>('0' + Key - 96));
    }
    if (Key >= 112 && Key <= 135) {
        return "F" + std::to_string(Key - 111);
    }
    return {};
}

// Counts characters, not bytes: a layout names keys in UTF-8, so "Ü" is one character of two bytes.
size_t CharacterCount(const std::string& Text) {
    size_t Count = 0;
    for (const char Byte : Text) {
        Count += (static_cast<uint8_t>(Byte) & 0xC0) != 0x80 ? 1 : 0;
    }
    return Count;
}

std::string KeyName(uint8_t Key) {
    std::string Name = FixedKeyName(Key);
    if (Name.empty() && LayoutKeyName()) {
        std::string LayoutName = LayoutKeyName()(Key);
        // Only a single character stands for a key; longer layout names are left out.
        if (CharacterCount(LayoutName) == 1) {
            Name = std::move(LayoutName);
        }
    }
    return Name;
}

}  // namespace

std::string KeyComboText(uint16_t Value) {
    const std::string Name = KeyName(static_cast<uint8_t>(Value & 0xFF));
    if (Name.empty()) {
        return {};
    }
    std::string Text;
    if (Value & ShiftBit) {
        Text += ProgramText(TProgramText::ShiftPrefix);
    }
    if (Value & CtrlBit) {
        Text += ProgramText(TProgramText::CtrlPrefix);
    }
    if (Value & AltBit) {
        Text += "Alt+";
    }
    return Text + Name;
}

void SetKeyNameLookup(TKeyNameLookup Lookup) {
    LayoutKeyName() = std::move(Lookup);
}

}  // namespace tulma
