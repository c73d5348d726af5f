#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

// How the persistence code puts a numbered catalogue message to the user. The catalogue lives above
// this library, so it installs itself here when it is created.
namespace tulma {

// One argument of a formatted message: an integer for %d, a string for %s.
using TMessageArg = std::variant<int32_t, std::string>;
using TMessageArgs = std::vector<TMessageArg>;

// Shows catalogue message ID with its text formatted with Args; returns the button pressed (Windows
// numbers: 1 OK, 2 Cancel, 6 Yes, 7 No), 0 when the message is missing.
using TAppMessageHook = std::function<int32_t(int32_t ID, const TMessageArgs& Args)>;

// Installs Hook; an empty one removes it.
void SetAppMessageHook(TAppMessageHook Hook);

// Shows message ID through the installed hook; 0 and nothing shown while none is installed.
int32_t ShowHookedAppMessage(int32_t ID, const TMessageArgs& Args);

}  // namespace tulma
