#pragma once

#include <string>

namespace tulma {

// The name under which the desktop keeps the shortcuts of a Tulma that uses the hotkey file FileName, so
// that Tulmas on different files own different shortcuts. It is the portal session's token, which KDE
// shows as the group's name in its shortcut settings (for a program that is not sandboxed), hence only
// ASCII letters, digits and '_'. The default file keeps "tulma", the name of earlier versions, so that
// the triggers set for it in the desktop's settings still apply; any other file gives "tulma_" with the
// file's name and a hash of its full path, so that two files of the same name differ too. The same file
// gives the same name from run to run.
std::string ShortcutGroup(const std::string& FileName, const std::string& DefaultFileName);

// The group's name for the user, where the desktop shows one besides the group's own: "Tulma: " and the
// file's name with its folder, which tells apart the groups of two files of the same name.
std::string ShortcutGroupTitle(const std::string& FileName);

}  // namespace tulma
