#pragma once

#include <string>

namespace tulma {

// A second "tulma [FILE]" for the same user and display shows the running Tulma instead of starting
// beside it, when it names no file or the file the running one has open.

// Asks the running Tulma to show itself for the file argument (empty for none); true when it did, and
// this start has nothing more to do.
bool ShowRunningTulma(const std::string& FileArgument);

// The running Tulma's side: whether Requested (a full path, or empty for none) means the hotkey file
// InUse. Links and "." or ".." steps do not make two names of the same file differ.
bool NamesFileInUse(const std::string& Requested, const std::string& InUse);

}  // namespace tulma
