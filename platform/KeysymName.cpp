#include "KeysymName.h"

#include <xkbcommon/xkbcommon.h>

#include <array>

#include "HotKeyRegistry.h"
#include "VirtualKeys.h"

namespace tulma {

std::string LowerKeysymName(std::uint8_t VirtualKey) {
    const TKeysym Sym = KeysymFromVirtualKey(VirtualKey);
    std::array<char, 64> Name{};
    if (Sym == 0 || xkb_keysym_get_name(xkb_keysym_to_lower(Sym), Name.data(), Name.size()) <= 0) {
        return {};
    }
    return Name.data();
}

std::string BindingText(unsigned Modifiers, std::uint8_t VirtualKey, const TModifierWords& Words) {
    const std::string Name = LowerKeysymName(VirtualKey);
    if (Name.empty()) {
        return {};
    }
    std::string Text;
    if ((Modifiers & MOD_CONTROL) != 0) {
        Text += Words.Control;
    }
    if ((Modifiers & MOD_ALT) != 0) {
        Text += Words.Alt;
    }
    if ((Modifiers & MOD_SHIFT) != 0) {
        Text += Words.Shift;
    }
    return Text + Name;
}

}  // namespace tulma
