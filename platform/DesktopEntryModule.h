#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DesktopEntry.h"

namespace tulma {

// What the desktop-entry module (GIO) offers the program, found under ModuleSymbol.
struct TDesktopEntryModule {
    // The entry in the file at Path (which exists), or why it cannot be used.
    TDesktopEntryLookup (*FromFile)(const std::string& Path);
    // The entry with the desktop id Id in the XDG data folders; null when there is none.
    std::unique_ptr<TDesktopEntry> (*FromId)(const std::string& Id);
    // See InstalledApplications.
    std::vector<std::unique_ptr<TDesktopEntry>> (*Installed)();
};

inline constexpr const char* DesktopEntryModuleFile = "libtulma-desktop-entries.so";
inline constexpr const char* DesktopEntryModuleSymbol = "TulmaDesktopEntryModule";

}  // namespace tulma
