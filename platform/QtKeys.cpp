#include "QtKeys.h"

#include <QKeyEvent>

#include <array>
#include <utility>

#include "HotKeyRegistry.h"
#include "VirtualKeys.h"

namespace tulma {

namespace {

constexpr std::array<std::pair<int, std::uint8_t>, 44> KeyTable{{
    {Qt::Key_Backspace, 0x08},    {Qt::Key_Tab, 0x09},         {Qt::Key_Backtab, 0x09},
    {Qt::Key_Clear, 0x0C},        {Qt::Key_Return, 0x0D},      {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},        {Qt::Key_Control, 0x11},     {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13},        {Qt::Key_CapsLock, 0x14},    {Qt::Key_Escape, 0x1B},
    {Qt::Key_Space, 0x20},        {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},          {Qt::Key_Home, 0x24},        {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},           {Qt::Key_Right, 0x27},       {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},        {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F},         {Qt::Key_Super_L, 0x5B},     {Qt::Key_Super_R, 0x5C},
    {Qt::Key_Menu, 0x5D},         {Qt::Key_NumLock, 0x90},     {Qt::Key_ScrollLock, 0x91},
    {Qt::Key_Semicolon, 0xBA},    {Qt::Key_Equal, 0xBB},       {Qt::Key_Comma, 0xBC},
    {Qt::Key_Minus, 0xBD},        {Qt::Key_Period, 0xBE},      {Qt::Key_Slash, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},
    {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},  {Qt::Key_Colon, 0xBA},
    {Qt::Key_Plus, 0xBB},         {Qt::Key_Underscore, 0xBD},
}};

constexpr std::array<std::pair<int, std::uint8_t>, 6> KeypadOperators{{
    {Qt::Key_Asterisk, 0x6A},
    {Qt::Key_Plus, 0x6B},
    {Qt::Key_Comma, 0x6C},
    {Qt::Key_Minus, 0x6D},
    {Qt::Key_Period, 0x6E},
    {Qt::Key_Slash, 0x6F},
}};

template <class Table>
std::uint8_t CodeOf(const Table& Pairs, int Key) {
    for (const auto& [QtKey, Code] : Pairs) {
        if (QtKey == Key) {
            return Code;
        }
    }
    return 0;
}

template <class Table>
int KeyOf(const Table& Pairs, std::uint8_t VirtualKey) {
    for (const auto& [QtKey, Code] : Pairs) {
        if (Code == VirtualKey) {
            return QtKey;
        }
    }
    return Qt::Key_unknown;
}

TKeyEventLookup& BackendKeyLookup() {
    static TKeyEventLookup Lookup;
    return Lookup;
}

}  // namespace

std::uint8_t VirtualKeyFromQtKey(int Key, Qt::KeyboardModifiers Modifiers) {
    const bool Keypad = Modifiers.testFlag(Qt::KeypadModifier);
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9) {
        return static_cast<std::uint8_t>(Keypad ? Vk::Numpad0 + (Key - Qt::Key_0) : Key);
    }
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z) {
        return static_cast<std::uint8_t>(Key);
    }
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24) {
        return static_cast<std::uint8_t>(Vk::F1 + (Key - Qt::Key_F1));
    }
    if (Keypad) {
        if (const std::uint8_t Code = CodeOf(KeypadOperators, Key); Code != 0) {
            return Code;
        }
    }
    return CodeOf(KeyTable, Key);
}

int QtKeyFromVirtualKey(std::uint8_t VirtualKey) {
    if ((VirtualKey >= '0' && VirtualKey <= '9') || (VirtualKey >= 'A' && VirtualKey <= 'Z')) {
        return VirtualKey;
    }
    if (VirtualKey >= Vk::Numpad0 && VirtualKey <= Vk::Numpad0 + 9) {
        return Qt::Key_0 + (VirtualKey - Vk::Numpad0);
    }
    if (VirtualKey >= Vk::F1 && VirtualKey <= Vk::F24) {
        return Qt::Key_F1 + (VirtualKey - Vk::F1);
    }
    if (const int Key = KeyOf(KeypadOperators, VirtualKey); Key != Qt::Key_unknown) {
        return Key;
    }
    return KeyOf(KeyTable, VirtualKey);
}

int QtKeyCombination(unsigned Modifiers, std::uint8_t VirtualKey) {
    const int Key = QtKeyFromVirtualKey(VirtualKey);
    if (Key == Qt::Key_unknown) {
        return 0;
    }
    constexpr std::uint8_t LastKeypadKey = 0x6F;
    int Combination = Key;
    for (const auto& [Flag, Modifier] :
         {std::pair{MOD_CONTROL, Qt::ControlModifier}, std::pair{MOD_ALT, Qt::AltModifier},
          std::pair{MOD_SHIFT, Qt::ShiftModifier}}) {
        if ((Modifiers & Flag) != 0) {
            Combination |= static_cast<int>(Modifier);
        }
    }
    if (VirtualKey >= Vk::Numpad0 && VirtualKey <= LastKeypadKey) {
        Combination |= static_cast<int>(Qt::KeypadModifier);
    }
    return Combination;
}

void SetKeyEventLookup(TKeyEventLookup Lookup) {
    BackendKeyLookup() = std::move(Lookup);
}

std::uint8_t VirtualKeyFromKeyEvent(const QKeyEvent& Event) {
    if (const TKeyEventLookup& Backend = BackendKeyLookup(); Backend) {
        if (const std::uint8_t Code = Backend(Event); Code != 0) {
            return Code;
        }
    }
    if (const std::uint8_t Code = VirtualKeyFromKeysym(static_cast<TKeysym>(Event.nativeVirtualKey()));
        Code != 0) {
        return Code;
    }
    return VirtualKeyFromQtKey(Event.key(), Event.modifiers());
}

}  // namespace tulma
