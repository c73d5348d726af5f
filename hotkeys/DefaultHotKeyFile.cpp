#include "DefaultHotKeyFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "ConfigHome.h"
#include "Errors.h"

namespace tulma {

namespace fs = std::filesystem;

std::string DefaultHotKeyFileName(const std::string& ProgramDirectory) {
    const fs::path Directory =
        IsWritableDirectory(ProgramDirectory) ? fs::path(ProgramDirectory) : fs::path(ConfigHome()) / "tulma";
    return (Directory / "KeyList.TUL").string();
}

bool IsWritableDirectory(const std::string& Directory) {
    if (access(Directory.c_str(), W_OK | X_OK) != 0) {
        return false;
    }
    if (geteuid() != 0) {
        return true;
    }
    std::error_code Error;
    const fs::perms Mode = fs::status(Directory, Error).permissions();
    constexpr fs::perms AnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return !Error && (Mode & AnyWrite) != fs::perms::none;
}

void CreatePrivateDirectories(const std::string& Directory, const std::string& FileName) {
    std::vector<fs::path> Missing;
    std::error_code Error;
    for (fs::path Folder = Directory; !Folder.empty() && !fs::exists(Folder, Error);
         Folder = Folder.parent_path()) {
        Missing.push_back(Folder);
        if (Folder == Folder.parent_path()) {
            break;
        }
    }
    for (auto Folder = Missing.rbegin(); Folder != Missing.rend(); ++Folder) {
        if (mkdir(Folder->c_str(), S_IRWXU) != 0 && errno != EEXIST) {
            throw EFCreateError(FileName);
        }
    }
}

}  // namespace tulma
