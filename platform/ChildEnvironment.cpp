#include "ChildEnvironment.h"

#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>

extern char** environ;  // NOLINT(readability-identifier-naming): the C library's name

namespace tulma {
namespace {

// Each variable Tulma set, with the user's value from before (none: it was not set).
std::map<std::string, std::optional<std::string>>& UserValues() {
    static std::map<std::string, std::optional<std::string>> Values;
    return Values;
}

std::string_view NameOf(std::string_view Entry) {
    return Entry.substr(0, Entry.find('='));
}

bool Names(const std::vector<std::string>& Entries, std::string_view Name) {
    for (const std::string& Entry : Entries) {
        if (NameOf(Entry) == Name) {
            return true;
        }
    }
    return false;
}

}  // namespace

void SetOwnVariable(const std::string& Name, const std::string& Value, bool Overwrite) {
    const char* Before = std::getenv(Name.c_str());
    UserValues().try_emplace(Name, Before != nullptr ? std::optional<std::string>(Before) : std::nullopt);
    setenv(Name.c_str(), Value.c_str(), Overwrite ? 1 : 0);
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& Extra) {
    std::vector<std::string> Entries;
    for (char** Entry = environ; *Entry != nullptr; ++Entry) {
        const std::string_view Name = NameOf(*Entry);
        if (!UserValues().contains(std::string(Name)) && !Names(Extra, Name)) {
            Entries.emplace_back(*Entry);
        }
    }
    for (const auto& [Name, Value] : UserValues()) {
        if (Value && !Names(Extra, Name)) {
            Entries.push_back(Name + "=" + *Value);
        }
    }
    Entries.insert(Entries.end(), Extra.begin(), Extra.end());
    return Entries;
}

}  // namespace tulma
