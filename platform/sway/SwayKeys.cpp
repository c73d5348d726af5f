#include "SwayKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <memory>

#include "HotKeyRegistry.h"
#include "KeysymName.h"
#include "VirtualKeys.h"

namespace tulma {
namespace {

struct TKeymapRelease {
    void operator()(xkb_keymap* Keymap) const { xkb_keymap_unref(Keymap); }
};
using TKeymap = std::unique_ptr<xkb_keymap, TKeymapRelease>;

// The keyboard map sway starts with unless told otherwise (XKB_DEFAULT_* or the system's default).
xkb_keymap* DefaultKeymap() {
    static const TKeymap Map = [] {
        xkb_context* Context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        if (Context == nullptr) {
            return TKeymap();
        }
        TKeymap Compiled(xkb_keymap_new_from_names(Context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
        xkb_context_unref(Context);
        return Compiled;
    }();
    return Map.get();
}

std::set<std::uint32_t> KeycodesOf(TKeysym Sym) {
    std::set<std::uint32_t> Codes;
    xkb_keymap* Map = DefaultKeymap();
    if (Map == nullptr) {
        return Codes;
    }
    for (xkb_keycode_t Code = xkb_keymap_min_keycode(Map); Code <= xkb_keymap_max_keycode(Map); ++Code) {
        for (xkb_level_index_t Level = 0; Level < xkb_keymap_num_levels_for_key(Map, Code, 0); ++Level) {
            const xkb_keysym_t* Syms = nullptr;
            const int Count = xkb_keymap_key_get_syms_by_level(Map, Code, 0, Level, &Syms);
            for (int I = 0; I < Count; ++I) {
                if (xkb_keysym_to_lower(Syms[I]) == xkb_keysym_to_lower(Sym)) {
                    Codes.insert(Code);
                }
            }
        }
    }
    return Codes;
}

unsigned SwayModifiers(unsigned Modifiers) {
    return ((Modifiers & MOD_CONTROL) != 0 ? TSwayCombination::Ctrl : 0U) |
           ((Modifiers & MOD_ALT) != 0 ? TSwayCombination::Alt : 0U) |
           ((Modifiers & MOD_SHIFT) != 0 ? TSwayCombination::Shift : 0U);
}

}  // namespace

std::string SwayCombinationText(unsigned Modifiers, std::uint8_t VirtualKey) {
    return BindingText(Modifiers, VirtualKey, {"Ctrl+", "Mod1+", "Shift+"});
}

std::set<TSwayCombination> SwaySpellings(unsigned Modifiers, std::uint8_t VirtualKey) {
    std::set<TSwayCombination> Spellings;
    const std::string Text = SwayCombinationText(Modifiers, VirtualKey);
    if (Text.empty()) {
        return Spellings;
    }
    Spellings.insert(*ParseSwayCombination(Text, false));
    for (const std::uint32_t Code : KeycodesOf(KeysymFromVirtualKey(VirtualKey))) {
        Spellings.insert({.Modifiers = SwayModifiers(Modifiers), .Key = std::to_string(Code), .Code = true});
    }
    return Spellings;
}

}  // namespace tulma
