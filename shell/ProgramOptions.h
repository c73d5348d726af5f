#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tulma {

// What the command line asks of the program.
struct TProgramOptions {
    enum class TAction { Start, Help, Version, RunHotKey, ListWindows, Desktop, ForgetDesktopShortcuts };
    // Where hotkeys are registered: chosen by the session, or "--hotkeys=x11|portal|kde|sway|gnome".
    enum class THotKeyBackend { Automatic, X11, Portal, Kde, Sway, Gnome };

    TAction Action = TAction::Start;
    // The hotkey that "--run NAME" names.
    std::string HotKeyName;
    // The hotkey that "--run-id ID" names (what Tulma's desktop shortcuts run); none with "--run NAME".
    std::optional<std::int32_t> HotKeyId;
    // The first argument that is not an option: the hotkey file, or with "--list-windows" the window
    // text; empty when there is none.
    std::string FileArgument;
    THotKeyBackend HotKeyBackend = THotKeyBackend::Automatic;
};

// A command line that names an unknown option or leaves out an option's value.
class EUsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The backend name of a choice on the command line; empty for the session's choice.
std::string HotKeyBackendName(TProgramOptions::THotKeyBackend Backend);

// Reads the arguments after the program's name. "--help" wins over "--version", which wins over
// "--run" (or "--run-id"), which wins over "--list-windows", which wins over "--desktop", which wins over
// "--forget-desktop-shortcuts"; "--" ends the options, so that a
// hotkey file may have any name; arguments after the file are ignored. Raises EUsageError for anything else
// that starts with "-".
TProgramOptions ParseProgramOptions(const std::vector<std::string>& Arguments);

// The texts of "--help" and "--version".
std::string UsageText();
std::string VersionText();

}  // namespace tulma
