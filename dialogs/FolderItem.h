#pragma once

#include <string>

namespace tulma {

// One folder of the folder browser's tree. Path is empty for a folder that has no place in the file
// system here (printers, the recycle bin, the network...): such a folder cannot be chosen.
struct TFolderItem {
    std::string DisplayName;
    std::string Path;
};

}  // namespace tulma
