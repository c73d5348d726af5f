#include "ConfigHome.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tulma {
namespace {

std::string HomeDirectory() {
    if (const char* Home = std::getenv("HOME"); Home != nullptr && Home[0] != '\0') {
        return Home;
    }
    const passwd* Entry = getpwuid(getuid());
    return Entry != nullptr && Entry->pw_dir != nullptr ? Entry->pw_dir : "/";
}

}  // namespace

std::string ConfigHome() {
    // A relative path in the variable is invalid and is ignored, as the XDG base directories say.
    if (const char* Config = std::getenv("XDG_CONFIG_HOME"); Config != nullptr && Config[0] == '/') {
        return Config;
    }
    return (std::filesystem::path(HomeDirectory()) / ".config").string();
}

}  // namespace tulma
