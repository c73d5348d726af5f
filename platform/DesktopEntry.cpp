#include "DesktopEntry.h"

#include <sys/stat.h>

#include <stdexcept>

#include "DesktopEntryModule.h"
#include "LaunchPlan.h"
#include "ProgramModule.h"

namespace tulma {
namespace {

constexpr std::string_view Extension = ".desktop";

bool Exists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0;
}

const TProgramModule<TDesktopEntryModule>& Module() {
    static const auto Once =
        LoadProgramModule<TDesktopEntryModule>(DesktopEntryModuleFile, DesktopEntryModuleSymbol);
    return Once;
}

}  // namespace

TDesktopEntryLookup FindDesktopEntry(const std::string& File, const std::string& Directory) {
    const bool Named = File.ends_with(Extension);
    const bool HasDirectory = File.find('/') != std::string::npos;
    if (File.empty() || (!Named && (HasDirectory || !FindOnPath(File).empty()))) {
        return {};
    }
    const std::string Path = InDirectory(Directory, File);
    const bool IsFile = HasDirectory || Exists(Path);
    if (!Named && IsFile) {
        return {};
    }
    const auto& [Loader, Error] = Module();
    if (Loader == nullptr) {
        return Named ? TDesktopEntryLookup::Unusable("desktop entries cannot be read here: " + Error)
                     : TDesktopEntryLookup{};
    }
    if (IsFile) {
        return Exists(Path) ? Loader->FromFile(Path) : TDesktopEntryLookup::Unusable("file not found");
    }
    const std::string Id = Named ? File : File + std::string(Extension);
    if (auto Entry = Loader->FromId(Id)) {
        return TDesktopEntryLookup::Usable(std::move(Entry));
    }
    return Named ? TDesktopEntryLookup::Unusable("no application " + Id + " in the application folders")
                 : TDesktopEntryLookup{};
}

std::vector<std::unique_ptr<TDesktopEntry>> InstalledApplications() {
    const auto& [Loader, Error] = Module();
    if (Loader == nullptr) {
        throw std::runtime_error("The installed applications cannot be read: " + Error);
    }
    return Loader->Installed();
}

}  // namespace tulma
