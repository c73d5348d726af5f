#pragma once

#include <string>
#include <vector>

namespace tulma {

// Sets the environment variable Name to Value for this process (unless it is set and Overwrite is
// false), remembering the value it had at the first such call, or that it had none: what Tulma sets
// for itself (its Qt platform) must not reach the programs it starts.
void SetOwnVariable(const std::string& Name, const std::string& Value, bool Overwrite);

// The environment for a started program, as "NAME=VALUE" entries: ours with every variable that
// SetOwnVariable changed given back its remembered value (or removed), and then Extra's entries
// ("NAME=VALUE"), each in place of any variable of that name.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& Extra = {});

}  // namespace tulma
