#pragma once

#include <string>
#include <vector>

#include "DesktopWindows.h"

namespace tulma {

// The windows, topmost first, that a command's window text matches. "class:NAME" matches a window whose
// program names it NAME (WM_CLASS instance or class, case ignored); any other text matches a window whose
// title contains it, case ignored. An empty text, or an empty NAME, matches nothing.
std::vector<TWindowInfo> MatchingWindows(const std::vector<TWindowInfo>& Windows, const std::string& Text);

// One line for a list of windows: the program's names as "instance.Class", a tab, the title.
std::string WindowLine(const TWindowInfo& Window);

}  // namespace tulma
