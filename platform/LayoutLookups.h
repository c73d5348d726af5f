#pragma once

#include <functional>
#include <optional>

#include "KeyNames.h"
#include "KeyboardLayout.h"
#include "QtKeys.h"

namespace tulma {

// Reads the keyboard layout as it is now; none when the display cannot tell.
using TLayoutSource = std::function<std::optional<TKeyboardLayout>()>;

// Key names on the layout that Current reads afresh once in every pass of the event loop, so a layout
// switched meanwhile is honoured; empty names without a layout.
TKeyNameLookup LayoutKeyNames(TLayoutSource Current);

// The code of a captured key press from its keycode (Qt's native scan code, an X keycode on X11 and
// Wayland alike) and keysym; 0 without a layout or a keycode.
TKeyEventLookup LayoutKeyCodes(TLayoutSource Current);

}  // namespace tulma
