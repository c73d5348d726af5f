#include "ShortcutTrigger.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

#include "AsciiText.h"
#include "HotKeyRegistry.h"
#include "VirtualKeys.h"

namespace tulma {
namespace {

std::string Lower(std::string_view Text) {
    std::string Result = AsciiLower(Text);
    std::erase_if(Result, [](char C) { return C == ' ' || C == '_'; });
    return Result;
}

// Desktops describe keys with the names of their toolkit; the shortcut syntax uses keysym names.
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> KeyAliases{{
    {"control", "ctrl"},
    {"super", "logo"},
    {"meta", "logo"},
    {"esc", "escape"},
    {"del", "delete"},
    {"ins", "insert"},
    {"pgup", "prior"},
    {"pageup", "prior"},
    {"pgdown", "next"},
    {"pagedown", "next"},
    {"enter", "return"},
    {"backtab", "tab"},
    {"printscreen", "print"},
}};

std::string Canonical(std::string_view Token) {
    const std::string Name = Lower(Token);
    for (const auto& [Alias, Meaning] : KeyAliases) {
        if (Name == Alias) {
            return std::string(Meaning);
        }
    }
    return Name;
}

bool IsModifier(const std::string& Token) {
    return Token == "ctrl" || Token == "alt" || Token == "shift" || Token == "logo" || Token == "num";
}

// The modifiers, sorted, then the key: "Ctrl++" is Ctrl and the plus key.
std::vector<std::string> Parts(const std::string& Trigger) {
    std::vector<std::string> Modifiers;
    std::string Key;
    std::size_t Start = 0;
    while (Start <= Trigger.size()) {
        std::size_t End = Trigger.find('+', Start);
        if (End == Start && End != std::string::npos) {
            End = Trigger.find('+', Start + 1);
        }
        const std::string Token = Canonical(Trigger.substr(Start, End - Start));
        if (IsModifier(Token) && End != std::string::npos) {
            Modifiers.push_back(Token);
        } else {
            Key = Token == "+" ? "plus" : Token;
        }
        if (End == std::string::npos) {
            break;
        }
        Start = End + 1;
    }
    std::sort(Modifiers.begin(), Modifiers.end());
    Modifiers.push_back(Key);
    return Modifiers;
}

}  // namespace

std::string ShortcutTrigger(unsigned Modifiers, std::uint8_t VirtualKey) {
    const TKeysym Sym = KeysymFromVirtualKey(VirtualKey);
    if (Sym == 0) {
        return {};
    }
    std::array<char, 64> Name{};
    // Letters by their capital, as desktops show them.
    const TKeysym Named = Sym >= XKB_KEY_a && Sym <= XKB_KEY_z ? Sym - XKB_KEY_a + XKB_KEY_A : Sym;
    if (xkb_keysym_get_name(Named, Name.data(), Name.size()) <= 0) {
        return {};
    }
    std::string Trigger;
    if (Modifiers & MOD_CONTROL) {
        Trigger += "CTRL+";
    }
    if (Modifiers & MOD_ALT) {
        Trigger += "ALT+";
    }
    if (Modifiers & MOD_SHIFT) {
        Trigger += "SHIFT+";
    }
    return Trigger + Name.data();
}

bool SameTrigger(const std::string& Described, const std::string& Trigger) {
    return !Described.empty() && Parts(Described) == Parts(Trigger);
}

}  // namespace tulma
