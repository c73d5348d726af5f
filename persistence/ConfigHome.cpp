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

// A relative path in the variable is invalid and is ignored, as the XDG base directories say.
std::string BaseDirectory(const char* Variable, const char* InHome) {
    if (const char* Value = std::getenv(Variable); Value != nullptr && Value[0] == '/') {
        return Value;
    }
    return (std::filesystem::path(HomeDirectory()) / InHome).string();
}

}  // namespace

std::string ConfigHome() {
    return BaseDirectory("XDG_CONFIG_HOME", ".config");
}

std::string StateHome() {
    return BaseDirectory("XDG_STATE_HOME", ".local/state");
}

}  // namespace tulma
