#include "ShortcutGroup.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace tulma {
namespace {

// Long enough to tell files apart, short enough for a line of the desktop's settings.
constexpr std::size_t MaxNameLetters = 24;

std::string FullPath(const std::string& FileName) {
    std::error_code Error;
    const std::filesystem::path Path = std::filesystem::absolute(FileName, Error);
    return (Error ? std::filesystem::path(FileName) : Path).lexically_normal().string();
}

// FNV-1a: the same on every machine and from run to run, unlike std::hash.
std::uint32_t PathHash(const std::string& Path) {
    std::uint32_t Hash = 2166136261U;
    for (const char Byte : Path) {
        Hash = (Hash ^ static_cast<unsigned char>(Byte)) * 16777619U;
    }
    return Hash;
}

std::string TokenLetters(const std::string& Name) {
    std::string Letters;
    for (const char Byte : Name.substr(0, MaxNameLetters)) {
        const bool Plain =
            (Byte >= 'a' && Byte <= 'z') || (Byte >= 'A' && Byte <= 'Z') || (Byte >= '0' && Byte <= '9');
        Letters += Plain ? Byte : '_';
    }
    return Letters;
}

}  // namespace

std::string ShortcutGroup(const std::string& FileName, const std::string& DefaultFileName) {
    const std::string Path = FullPath(FileName);
    if (Path == FullPath(DefaultFileName)) {
        return "tulma";
    }
    char Hash[9];
    std::snprintf(Hash, sizeof Hash, "%08x", PathHash(Path));
    return "tulma_" + TokenLetters(std::filesystem::path(Path).stem().string()) + "_" + Hash;
}

std::string ShortcutGroupTitle(const std::string& FileName) {
    const std::filesystem::path Path(FullPath(FileName));
    return "Tulma: " + Path.filename().string() + " (" + Path.parent_path().string() + ")";
}

}  // namespace tulma
