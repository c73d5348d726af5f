#pragma once

#include <Qt>

#include <cstdint>
#include <optional>

namespace tulma {

// The key-combination value that a key press in a key field captures: the virtual-key code plus
// 0x2000 for Shift, 0x4000 for Ctrl and 0x8000 for Alt. None when the press leaves the combination
// alone: Tab, Shift, Ctrl or Alt by themselves, a key without a code, and Return or Escape without a
// modifier, which keep their dialog roles.
std::optional<std::uint16_t> CapturedKeyValue(std::uint8_t VirtualKey, Qt::KeyboardModifiers Modifiers);

}  // namespace tulma
