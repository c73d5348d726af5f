#pragma once

#include <optional>
#include <string>

namespace tulma {

// Unsaved changes that could not be asked about (the desktop session ended): the current hotkeys are
// written to a copy of their own, never over the hotkey file. The copy is FileName + ".recovered" beside
// the file, or, when that folder is not writable, that name in the "tulma" folder of the user's state
// directory. Returns the copy's path; a failure raises its error.
std::string WriteRecoveryCopy(const std::string& FileName);

// The recovery copy of FileName that holds changes newer than the file, if there is one.
std::optional<std::string> PendingRecoveryCopy(const std::string& FileName);

}  // namespace tulma
