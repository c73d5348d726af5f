#pragma once

#include <cstdint>
#include <string>

namespace tulma {

// The name of the keysym that a virtual-key code names, in lower case, as compositors' binding texts
// want it ("k", "Tab", "F1"); empty when the code has no keysym.
std::string LowerKeysymName(std::uint8_t VirtualKey);

}  // namespace tulma
