#pragma once

#include <ostream>
#include <string>

namespace tulma {

class IDesktopWindows;

// Writes the windows that the window text Text matches (every window when Text is empty) to Out, one
// line each, topmost first. Returns the exit status: 0 when some window is listed, 1 when none is.
int PrintMatchingWindows(IDesktopWindows& Windows, const std::string& Text, std::ostream& Out);

// The same for the window list that the chooser of backends finds for this session (KWin's, X11's);
// throws std::runtime_error when there is none.
int ListWindows(const std::string& Text, int& Argc, char** Argv, std::ostream& Out);

}  // namespace tulma
