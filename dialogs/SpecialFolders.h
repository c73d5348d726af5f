#pragma once

#include <string>
#include <vector>

#include "BrowseFolderOptions.h"
#include "FolderItem.h"

namespace tulma {

// The root of each special folder on this desktop: the whole tree from "/" for the desktop and the
// computer, the user's XDG directories for the personal folders, as long as they exist.
TFolderItem FolderRootOf(TSHFolders Folder);

// The top of the folder tree for a root folder. The desktop, the whole name space and the computer
// show where people look first: the home folder, then the special folders that exist (desktop,
// documents, templates, applications, autostart, fonts), then the file system from "/". Any other
// root is that folder alone.
std::vector<TFolderItem> FolderRootsOf(TSHFolders Folder);

// A directory from the user's user-dirs.dirs (Key such as "XDG_TEMPLATES_DIR"), Fallback (relative to
// the home directory) when the file does not name it.
std::string XdgUserDir(const std::string& Key, const std::string& Fallback);

}  // namespace tulma
