#include "KeyboardLayout.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <utility>

namespace tulma {
namespace {

using TKeycode = TKeyboardLayout::TKeycode;

int CodePointCount(const std::string& Utf8) {
    return static_cast<int>(std::count_if(
        Utf8.begin(), Utf8.end(), [](char C) { return (static_cast<unsigned char>(C) & 0xC0) != 0x80; }));
}

}  // namespace

TKeyboardLayout::TKeyboardLayout(TKeycode MinKeycode, int SymsPerCode, std::vector<TKeysym> Syms)
    : MinKeycode(MinKeycode), SymsPerCode(SymsPerCode), Syms(std::move(Syms)) {}

// Searches look at every column, so a key counts wherever a group or level gives the keysym.
TKeysym TKeyboardLayout::KeysymAt(TKeycode Code, int Level) const {
    const int Index = Code - MinKeycode;
    if (Code < MinKeycode || Index >= KeycodeCount() || Level < 0 || Level >= SymsPerCode) {
        return 0;
    }
    const TKeysym Sym = Syms[static_cast<std::size_t>(Index * SymsPerCode + Level)];
    // A lone letter in column 0 stands for both cases.
    if (Level == 1 && Sym == 0) {
        const TKeysym Lower = KeysymAt(Code, 0);
        return xkb_keysym_to_upper(Lower) != Lower ? xkb_keysym_to_upper(Lower) : 0;
    }
    return Sym;
}

std::vector<TKeycode> TKeyboardLayout::KeycodesAtLevel(TKeysym Sym, int Level) const {
    const int First = Level < 0 ? 0 : Level;
    const int Last = Level < 0 ? SymsPerCode - 1 : Level;
    std::vector<TKeycode> Result;
    for (int Index = 0; Index < KeycodeCount(); ++Index) {
        const auto Code = static_cast<TKeycode>(MinKeycode + Index);
        for (int At = First; At <= Last; ++At) {
            if (KeysymAt(Code, At) == Sym) {
                Result.push_back(Code);
                break;
            }
        }
    }
    return Result;
}

std::vector<TKeycode> TKeyboardLayout::KeycodesFor(TKeysym Sym) const {
    if (Sym == 0) {
        return {};
    }
    return KeycodesAtLevel(Sym, -1);
}

std::vector<TKeycode> TKeyboardLayout::KeycodesForVirtualKey(std::uint8_t VirtualKey) const {
    std::optional<std::vector<TKeycode>>& Known = KeycodesOfVirtualKey[VirtualKey];
    if (!Known) {
        Known = FindKeycodesForVirtualKey(VirtualKey);
    }
    return *Known;
}

std::vector<TKeycode> TKeyboardLayout::FindKeycodesForVirtualKey(std::uint8_t VirtualKey) const {
    const TKeysym Sym = KeysymFromVirtualKey(VirtualKey);
    if (!IsOemVirtualKey(VirtualKey)) {
        return KeycodesFor(Sym);
    }
    if (auto Unshifted = Sym == 0 ? std::vector<TKeycode>{} : KeycodesAtLevel(Sym, 0); !Unshifted.empty()) {
        return Unshifted;
    }
    const TKeycode Position = UsPositionKeycode(VirtualKey);
    if (KeysymAt(Position, 0) != 0) {
        return {Position};
    }
    return KeycodesFor(Sym);
}

std::uint8_t TKeyboardLayout::VirtualKeyOf(TKeycode Code, TKeysym Pressed) const {
    const std::uint8_t PressedKey = VirtualKeyFromKeysym(Pressed);
    if (PressedKey >= Vk::Numpad0 && PressedKey <= Vk::Numpad0 + 9) {
        return PressedKey;
    }
    if (const std::uint8_t Base = VirtualKeyFromKeysym(KeysymAt(Code, 0)); Base != 0) {
        return Base;
    }
    if (PressedKey != 0) {
        return PressedKey;
    }
    return VirtualKeyFromUsPosition(Code);
}

std::string TKeyboardLayout::KeyName(std::uint8_t VirtualKey) const {
    const auto Keycodes = KeycodesForVirtualKey(VirtualKey);
    if (Keycodes.empty()) {
        return {};
    }
    TKeysym Sym = KeysymAt(Keycodes.front(), 0);
    if (Sym == 0) {
        Sym = KeysymFromVirtualKey(VirtualKey);
    }
    std::array<char, 8> Buffer{};
    if (xkb_keysym_to_utf8(xkb_keysym_to_upper(Sym), Buffer.data(), Buffer.size()) <= 0) {
        return {};
    }
    const std::string Name(Buffer.data());
    const bool Printable = !Name.empty() && static_cast<unsigned char>(Name[0]) >= 0x20 && Name[0] != 0x7F;
    return Printable && CodePointCount(Name) == 1 ? Name : std::string();
}

}  // namespace tulma
