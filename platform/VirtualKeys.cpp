#include "VirtualKeys.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>
#include <utility>

namespace tulma {

namespace {

struct TKeyPair {
    std::uint8_t VirtualKey;
    TKeysym Sym;
};

// One keysym per code; the first entry of a code is the one KeysymFromVirtualKey returns.
constexpr std::array Table{
    TKeyPair{0x08, XKB_KEY_BackSpace},    TKeyPair{0x09, XKB_KEY_Tab},
    TKeyPair{0x09, XKB_KEY_ISO_Left_Tab}, TKeyPair{0x0C, XKB_KEY_Clear},
    TKeyPair{0x0D, XKB_KEY_Return},       TKeyPair{0x0D, XKB_KEY_KP_Enter},
    TKeyPair{0x10, XKB_KEY_Shift_L},      TKeyPair{0x10, XKB_KEY_Shift_R},
    TKeyPair{0x11, XKB_KEY_Control_L},    TKeyPair{0x11, XKB_KEY_Control_R},
    TKeyPair{0x12, XKB_KEY_Alt_L},        TKeyPair{0x12, XKB_KEY_Alt_R},
    TKeyPair{0x13, XKB_KEY_Pause},        TKeyPair{0x14, XKB_KEY_Caps_Lock},
    TKeyPair{0x1B, XKB_KEY_Escape},       TKeyPair{0x20, XKB_KEY_space},
    TKeyPair{0x21, XKB_KEY_Prior},        TKeyPair{0x22, XKB_KEY_Next},
    TKeyPair{0x23, XKB_KEY_End},          TKeyPair{0x24, XKB_KEY_Home},
    TKeyPair{0x25, XKB_KEY_Left},         TKeyPair{0x26, XKB_KEY_Up},
    TKeyPair{0x27, XKB_KEY_Right},        TKeyPair{0x28, XKB_KEY_Down},
    TKeyPair{0x29, XKB_KEY_Select},       TKeyPair{0x2A, XKB_KEY_Print},
    TKeyPair{0x2B, XKB_KEY_Execute},      TKeyPair{0x2C, XKB_KEY_Sys_Req},
    TKeyPair{0x2D, XKB_KEY_Insert},       TKeyPair{0x2E, XKB_KEY_Delete},
    TKeyPair{0x2F, XKB_KEY_Help},         TKeyPair{0x5B, XKB_KEY_Super_L},
    TKeyPair{0x5C, XKB_KEY_Super_R},      TKeyPair{0x5D, XKB_KEY_Menu},
    TKeyPair{0x6A, XKB_KEY_KP_Multiply},  TKeyPair{0x6B, XKB_KEY_KP_Add},
    TKeyPair{0x6C, XKB_KEY_KP_Separator}, TKeyPair{0x6D, XKB_KEY_KP_Subtract},
    TKeyPair{0x6E, XKB_KEY_KP_Decimal},   TKeyPair{0x6F, XKB_KEY_KP_Divide},
    TKeyPair{0x90, XKB_KEY_Num_Lock},     TKeyPair{0x91, XKB_KEY_Scroll_Lock},
    TKeyPair{0xBA, XKB_KEY_semicolon},    TKeyPair{0xBA, XKB_KEY_colon},
    TKeyPair{0xBB, XKB_KEY_equal},        TKeyPair{0xBB, XKB_KEY_plus},
    TKeyPair{0xBC, XKB_KEY_comma},        TKeyPair{0xBC, XKB_KEY_less},
    TKeyPair{0xBD, XKB_KEY_minus},        TKeyPair{0xBD, XKB_KEY_underscore},
    TKeyPair{0xBE, XKB_KEY_period},       TKeyPair{0xBE, XKB_KEY_greater},
    TKeyPair{0xBF, XKB_KEY_slash},        TKeyPair{0xBF, XKB_KEY_question},
    TKeyPair{0xC0, XKB_KEY_grave},        TKeyPair{0xC0, XKB_KEY_asciitilde},
    TKeyPair{0xDB, XKB_KEY_bracketleft},  TKeyPair{0xDB, XKB_KEY_braceleft},
    TKeyPair{0xDC, XKB_KEY_backslash},    TKeyPair{0xDC, XKB_KEY_bar},
    TKeyPair{0xDD, XKB_KEY_bracketright}, TKeyPair{0xDD, XKB_KEY_braceright},
    TKeyPair{0xDE, XKB_KEY_apostrophe},   TKeyPair{0xDE, XKB_KEY_quotedbl},
};

// evdev keycodes of the punctuation keys on a US keyboard.
constexpr std::array UsPositions{
    std::pair<std::uint8_t, std::uint8_t>{0xBA, 47}, std::pair<std::uint8_t, std::uint8_t>{0xBB, 21},
    std::pair<std::uint8_t, std::uint8_t>{0xBC, 59}, std::pair<std::uint8_t, std::uint8_t>{0xBD, 20},
    std::pair<std::uint8_t, std::uint8_t>{0xBE, 60}, std::pair<std::uint8_t, std::uint8_t>{0xBF, 61},
    std::pair<std::uint8_t, std::uint8_t>{0xC0, 49}, std::pair<std::uint8_t, std::uint8_t>{0xDB, 34},
    std::pair<std::uint8_t, std::uint8_t>{0xDC, 51}, std::pair<std::uint8_t, std::uint8_t>{0xDD, 35},
    std::pair<std::uint8_t, std::uint8_t>{0xDE, 48}, std::pair<std::uint8_t, std::uint8_t>{0xE2, 94},
};

bool InRange(std::uint32_t Value, std::uint32_t First, std::uint32_t Last) {
    return Value >= First && Value <= Last;
}

}  // namespace

TKeysym KeysymFromVirtualKey(std::uint8_t VirtualKey) {
    if (InRange(VirtualKey, '0', '9')) {
        return VirtualKey;
    }
    if (InRange(VirtualKey, 'A', 'Z')) {
        return XKB_KEY_a + (VirtualKey - 'A');
    }
    if (InRange(VirtualKey, 0x60, 0x69)) {
        return XKB_KEY_KP_0 + (VirtualKey - 0x60);
    }
    if (InRange(VirtualKey, Vk::F1, Vk::F24)) {
        return XKB_KEY_F1 + (VirtualKey - Vk::F1);
    }
    for (const TKeyPair& Pair : Table) {
        if (Pair.VirtualKey == VirtualKey) {
            return Pair.Sym;
        }
    }
    return 0;
}

std::uint8_t VirtualKeyFromKeysym(TKeysym Sym) {
    if (InRange(Sym, XKB_KEY_0, XKB_KEY_9)) {
        return static_cast<std::uint8_t>(Sym);
    }
    if (InRange(Sym, XKB_KEY_A, XKB_KEY_Z)) {
        return static_cast<std::uint8_t>(Sym);
    }
    if (InRange(Sym, XKB_KEY_a, XKB_KEY_z)) {
        return static_cast<std::uint8_t>('A' + (Sym - XKB_KEY_a));
    }
    if (InRange(Sym, XKB_KEY_KP_0, XKB_KEY_KP_9)) {
        return static_cast<std::uint8_t>(0x60 + (Sym - XKB_KEY_KP_0));
    }
    if (InRange(Sym, XKB_KEY_F1, XKB_KEY_F24)) {
        return static_cast<std::uint8_t>(Vk::F1 + (Sym - XKB_KEY_F1));
    }
    for (const TKeyPair& Pair : Table) {
        if (Pair.Sym == Sym) {
            return Pair.VirtualKey;
        }
    }
    return 0;
}

bool IsOemVirtualKey(std::uint8_t VirtualKey) {
    return UsPositionKeycode(VirtualKey) != 0;
}

std::uint8_t UsPositionKeycode(std::uint8_t VirtualKey) {
    for (const auto& [Code, Keycode] : UsPositions) {
        if (Code == VirtualKey) {
            return Keycode;
        }
    }
    return 0;
}

std::uint8_t VirtualKeyFromUsPosition(std::uint8_t Keycode) {
    for (const auto& [Code, Position] : UsPositions) {
        if (Position == Keycode) {
            return Code;
        }
    }
    return 0;
}

}  // namespace tulma
