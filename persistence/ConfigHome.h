#pragma once

#include <string>

namespace tulma {

// The user's configuration directory: $XDG_CONFIG_HOME when it holds an absolute path, otherwise
// ".config" in the home directory.
std::string ConfigHome();
// The user's state directory: $XDG_STATE_HOME when it holds an absolute path, otherwise ".local/state"
// in the home directory.
std::string StateHome();

}  // namespace tulma
