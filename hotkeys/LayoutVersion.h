#pragma once

#include <cstdint>

namespace tulma {

// The layout version that the hotkey records write in front of their own fields.
constexpr int32_t CurrentLayoutVersion = 101;

}  // namespace tulma
