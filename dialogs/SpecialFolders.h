#pragma once

#include <string>

#include "BrowseFolderOptions.h"
#include "FolderItem.h"

namespace tulma {

// The root of each special folder on this desktop: the whole tree from "/" for the desktop and the
// computer, the user's XDG directories for the personal folders, as long as they exist.
TFolderItem FolderRootOf(TSHFolders Folder);

// A directory from the user's user-dirs.dirs (Key such as "XDG_TEMPLATES_DIR"), Fallback (relative to
// the home directory) when the file does not name it.
std::string XdgUserDir(const std::string& Key, const std::string& Fallback);

}  // namespace tulma
