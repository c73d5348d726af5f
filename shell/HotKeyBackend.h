#pragma once

#include <functional>
#include <stdexcept>

#include "ProgramOptions.h"

namespace tulma {

// Whether the hotkeys go to the desktop's shortcut portal rather than to X11 key grabs: in a Wayland
// session whose portal offers global shortcuts, unless the command line chose. PortalOffered is asked
// only when the answer depends on it; a portal chosen on the command line that is not offered raises
// std::runtime_error.
bool UsePortalHotKeys(TProgramOptions::THotKeys Choice, bool WaylandSession,
                      const std::function<bool()>& PortalOffered);

}  // namespace tulma
