#include "KeysymName.h"

#include <xkbcommon/xkbcommon.h>

#include <array>

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

}  // namespace tulma
