#pragma once

#include <ostream>

namespace tulma {

struct TProgramOptions;

// "tulma --desktop": writes the session (type, desktop, compositor), every backend's verdict with its
// reason and the backends chosen for hotkeys and windows. Returns the exit status: 0, or 1 with the
// reason when the backend named by --hotkeys= does not serve.
int PrintDesktopReport(const TProgramOptions& Options, int& Argc, char** Argv, std::ostream& Out);

}  // namespace tulma
