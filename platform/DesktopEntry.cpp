#include "DesktopEntry.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>

#include "DesktopEntryModule.h"
#include "LaunchPlan.h"

namespace tulma {
namespace {

constexpr std::string_view Extension = ".desktop";

bool Exists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0;
}

// The module lies beside the program.
std::string ModulePath() {
    char Executable[PATH_MAX] = {};
    const ssize_t Length = readlink("/proc/self/exe", Executable, sizeof Executable - 1);
    const std::string Program(Executable, Length > 0 ? static_cast<std::size_t>(Length) : 0);
    return Program.substr(0, Program.rfind('/') + 1) + DesktopEntryModuleFile;
}

struct TLoadedModule {
    const TDesktopEntryModule* Module = nullptr;
    std::string Error;
};

const TLoadedModule& Loaded() {
    static const TLoadedModule Once = [] {
        TLoadedModule Result;
        void* Library = dlopen(ModulePath().c_str(), RTLD_NOW | RTLD_LOCAL);
        using TEntry = const TDesktopEntryModule* (*)();
        auto* Get =
            Library != nullptr ? reinterpret_cast<TEntry>(dlsym(Library, DesktopEntryModuleSymbol)) : nullptr;
        if (Get != nullptr) {
            Result.Module = Get();
        } else {
            const char* Why = dlerror();
            Result.Error = Why != nullptr ? Why : "no desktop entry module";
        }
        return Result;
    }();
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
    const TLoadedModule& Loader = Loaded();
    if (Loader.Module == nullptr) {
        return Named ? TDesktopEntryLookup::Unusable("desktop entries cannot be read here: " + Loader.Error)
                     : TDesktopEntryLookup{};
    }
    if (IsFile) {
        return Exists(Path) ? Loader.Module->FromFile(Path) : TDesktopEntryLookup::Unusable("file not found");
    }
    const std::string Id = Named ? File : File + std::string(Extension);
    if (auto Entry = Loader.Module->FromId(Id)) {
        return TDesktopEntryLookup::Usable(std::move(Entry));
    }
    return Named ? TDesktopEntryLookup::Unusable("no application " + Id + " in the application folders")
                 : TDesktopEntryLookup{};
}

std::vector<std::unique_ptr<TDesktopEntry>> InstalledApplications() {
    const TLoadedModule& Loader = Loaded();
    if (Loader.Module == nullptr) {
        throw std::runtime_error("The installed applications cannot be read: " + Loader.Error);
    }
    return Loader.Module->Installed();
}

}  // namespace tulma
