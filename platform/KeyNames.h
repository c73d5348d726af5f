#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tulma {

// The current keyboard layout's name of the key with a virtual-key code: the one character the key types
// without modifiers (upper-case for letters), or the empty text when there is no such single character.
using TKeyNameLookup = std::function<std::string(std::uint8_t VirtualKey)>;

}  // namespace tulma
