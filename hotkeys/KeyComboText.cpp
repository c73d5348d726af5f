#include "KeyComboText.h"

#include <utility>

namespace tulma {
namespace {

TKeyNameLookup& LayoutKeyName() {
    static TKeyNameLookup Lookup;
    return Lookup;
}

std::string FixedKeyName(uint8_t Key) {
    switch (Key) {
        case 8:
            return "Rück";
        case 9:
            return "Tab";
        case 13:
            return "Enter";
        case 27:
            return "Esc";
        case 32:
            return "Leertaste";
        case 33:
            return "BildAuf";
        case 34:
            return "BildAb";
        case 35:
            return "Ende";
        case 36:
            return "Pos1";
        case 37:
            return "Linksbündig";
        case 38:
            return "Nach oben";
        case 39:
            return "Rechts";
        case 40:
            return "Nach unten";
        case 45:
            return "Einfg";
        case 46:
            return "Entf";
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
        Text += "Umsch+";
    }
    if (Value & CtrlBit) {
        Text += "Strg+";
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
