#include "SpecialFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tulma {
namespace {

std::string Environment(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value == nullptr ? std::string() : std::string(Value);
}

std::string HomeDirectory() {
    return Environment("HOME");
}

// An XDG base directory: the variable when it holds an absolute path, else the default under home.
std::string BaseDirectory(const char* Variable, const std::string& Default) {
    const std::string Value = Environment(Variable);
    return !Value.empty() && Value.front() == '/' ? Value : HomeDirectory() + "/" + Default;
}

// A value of user-dirs.dirs: "$HOME/..." or an absolute path, in double quotes.
std::string UserDirValue(std::string Value) {
    if (Value.size() >= 2 && Value.front() == '"' && Value.back() == '"') {
        Value = Value.substr(1, Value.size() - 2);
    }
    const std::string HomeVariable = "$HOME";
    if (Value.compare(0, HomeVariable.size(), HomeVariable) == 0) {
        return HomeDirectory() + Value.substr(HomeVariable.size());
    }
    return Value.empty() || Value.front() != '/' ? std::string() : Value;
}

bool IsDirectory(const std::string& Path) {
    std::error_code Ignored;
    return !Path.empty() && std::filesystem::is_directory(Path, Ignored);
}

TFolderItem Virtual(const char* Name) {
    return {Name, {}};
}

// A file-system root, or a root without a path when the directory is not there.
TFolderItem Directory(const std::string& Path) {
    const std::string Name = std::filesystem::path(Path).filename().string();
    return {Name.empty() ? Path : Name, IsDirectory(Path) ? Path : std::string()};
}

// A root under a name of our own, when the directory is there.
void AddNamed(std::vector<TFolderItem>& Roots, const char* Name, const std::string& Path) {
    if (IsDirectory(Path)) {
        Roots.push_back({Name, Path});
    }
}

}  // namespace

std::string XdgUserDir(const std::string& Key, const std::string& Fallback) {
    std::ifstream File(BaseDirectory("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
    std::string Line;
    while (std::getline(File, Line)) {
        if (Line.compare(0, Key.size() + 1, Key + "=") == 0) {
            const std::string Value = UserDirValue(Line.substr(Key.size() + 1));
            if (!Value.empty()) {
                return Value;
            }
        }
    }
    return HomeDirectory() + "/" + Fallback;
}

TFolderItem FolderRootOf(TSHFolders Folder) {
    switch (Folder) {
        case TSHFolders::foDesktop:
        case TSHFolders::foDesktopExpanded:
        case TSHFolders::foMyComputer:
            return {"/", "/"};
        case TSHFolders::foPrograms:
        case TSHFolders::foStartMenu:
            return Directory(BaseDirectory("XDG_DATA_HOME", ".local/share") + "/applications");
        case TSHFolders::foStartup:
            return Directory(BaseDirectory("XDG_CONFIG_HOME", ".config") + "/autostart");
        case TSHFolders::foPersonal:
            return Directory(XdgUserDir("XDG_DOCUMENTS_DIR", "Documents"));
        case TSHFolders::foDesktopDirectory:
            return Directory(XdgUserDir("XDG_DESKTOP_DIR", "Desktop"));
        case TSHFolders::foTemplates:
            return Directory(XdgUserDir("XDG_TEMPLATES_DIR", "Templates"));
        case TSHFolders::foFonts:
            return Directory(BaseDirectory("XDG_DATA_HOME", ".local/share") + "/fonts");
        case TSHFolders::foControlPanel:
            return Virtual("Control Panel");
        case TSHFolders::foPrinters:
            return Virtual("Printers");
        case TSHFolders::foFavorites:
            return Virtual("Favorites");
        case TSHFolders::foRecent:
            return Virtual("Recent");
        case TSHFolders::foSendto:
            return Virtual("SendTo");
        case TSHFolders::foRecycleBin:
            return Virtual("Recycle Bin");
        case TSHFolders::foNetwork:
            return Virtual("Network");
        case TSHFolders::foNetworkNeighborhood:
            return Virtual("Network Neighborhood");
    }
    return Virtual("");
}

std::vector<TFolderItem> FolderRootsOf(TSHFolders Folder) {
    if (Folder != TSHFolders::foDesktop && Folder != TSHFolders::foDesktopExpanded &&
        Folder != TSHFolders::foMyComputer) {
        return {FolderRootOf(Folder)};
    }
    std::vector<TFolderItem> Roots;
    AddNamed(Roots, "Home", HomeDirectory());
    for (const TSHFolders Special :
         {TSHFolders::foDesktopDirectory, TSHFolders::foPersonal, TSHFolders::foTemplates}) {
        if (TFolderItem Root = FolderRootOf(Special); !Root.Path.empty() && Root.Path != HomeDirectory()) {
            Roots.push_back(std::move(Root));
        }
    }
    AddNamed(Roots, "Applications", FolderRootOf(TSHFolders::foPrograms).Path);
    AddNamed(Roots, "Autostart", FolderRootOf(TSHFolders::foStartup).Path);
    AddNamed(Roots, "Fonts", FolderRootOf(TSHFolders::foFonts).Path);
    Roots.push_back({"File System", "/"});
    return Roots;
}

}  // namespace tulma
