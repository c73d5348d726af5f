#include "RecoveryCopy.h"

#include <filesystem>

#include "ConfigHome.h"
#include "CurrentHotKeyFile.h"
#include "DefaultHotKeyFile.h"
#include "HotKeyFile.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;

constexpr const char* Suffix = ".recovered";

fs::path BesideTheFile(const std::string& FileName) {
    return FileName + Suffix;
}

fs::path InStateDirectory(const std::string& FileName) {
    return fs::path(StateHome()) / "tulma" / (fs::path(FileName).filename().string() + Suffix);
}

}  // namespace

std::string WriteRecoveryCopy(const std::string& FileName) {
    fs::path Copy = BesideTheFile(FileName);
    if (!IsWritableDirectory(Copy.parent_path().empty() ? "." : Copy.parent_path().string())) {
        Copy = InStateDirectory(FileName);
        CreatePrivateDirectories(Copy.parent_path().string(), Copy.string());
    }
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.WriteObject(HotKeyFile());
    Stream.SaveToFile(Copy.string());
    return Copy.string();
}

std::optional<std::string> PendingRecoveryCopy(const std::string& FileName) {
    std::error_code Error;
    const auto Saved = fs::last_write_time(FileName, Error);
    const bool FileExists = !Error;
    for (const fs::path& Copy : {BesideTheFile(FileName), InStateDirectory(FileName)}) {
        const auto Written = fs::last_write_time(Copy, Error);
        if (!Error && (!FileExists || Written > Saved)) {
            return Copy.string();
        }
    }
    return std::nullopt;
}

}  // namespace tulma
