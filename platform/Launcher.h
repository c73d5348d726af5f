#pragma once

#include <string>

#include "ShowCommand.h"

namespace tulma {

// What came of starting a file: whether something was started, and if not, why not.
struct TLaunchResult {
    bool Started = false;
    // In words for the user ("file not found"); empty when started.
    std::string Reason;
};

// Starts a program, document, folder or URL with its default action, as a command of a hotkey does.
class ILauncher {
  public:
    ILauncher() = default;
    ILauncher(const ILauncher&) = delete;
    ILauncher& operator=(const ILauncher&) = delete;
    virtual ~ILauncher() = default;

    // File: an executable (a path, or a name found on PATH), which is run with Parameters as its
    // arguments; or an existing document or folder, or a URL, which the desktop's default handler opens.
    // Directory: the working directory; empty means the caller's own. A directory that does not exist
    // starts nothing. Show: how the started program's first window is shown.
    // Nothing waits for the started program.
    virtual TLaunchResult Launch(const std::string& File, const std::string& Parameters,
                                 const std::string& Directory, TShowCommand Show) = 0;
};

}  // namespace tulma
