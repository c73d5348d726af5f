#include "ProgramOptions.h"

#include <charconv>
#include <iterator>
#include <string_view>

#include "ProgramVersion.h"

namespace tulma {
namespace {

constexpr std::string_view RunOption = "--run";

bool IsOption(const std::string& Argument) {
    return Argument.size() > 1 && Argument[0] == '-';
}

TProgramOptions::THotKeyBackend HotKeyBackendNamed(const std::string& Value) {
    if (Value == "x11") {
        return TProgramOptions::THotKeyBackend::X11;
    }
    if (Value == "portal") {
        return TProgramOptions::THotKeyBackend::Portal;
    }
    if (Value == "kde") {
        return TProgramOptions::THotKeyBackend::Kde;
    }
    if (Value == "sway") {
        return TProgramOptions::THotKeyBackend::Sway;
    }
    if (Value == "gnome") {
        return TProgramOptions::THotKeyBackend::Gnome;
    }
    throw EUsageError("option '--hotkeys' takes x11, portal, kde, sway or gnome, not '" + Value + "'");
}

std::int32_t HotKeyIdOf(const std::string& Value) {
    std::int32_t ID = 0;
    const auto [End, Error] = std::from_chars(Value.data(), Value.data() + Value.size(), ID);
    if (Value.empty() || Error != std::errc() || End != Value.data() + Value.size()) {
        throw EUsageError("option '--run-id' takes a hotkey's identifier, not '" + Value + "'");
    }
    return ID;
}

}  // namespace

std::string HotKeyBackendName(TProgramOptions::THotKeyBackend Backend) {
    switch (Backend) {
        case TProgramOptions::THotKeyBackend::X11:
            return "x11";
        case TProgramOptions::THotKeyBackend::Portal:
            return "portal";
        case TProgramOptions::THotKeyBackend::Kde:
            return "kde";
        case TProgramOptions::THotKeyBackend::Sway:
            return "sway";
        case TProgramOptions::THotKeyBackend::Gnome:
            return "gnome";
        case TProgramOptions::THotKeyBackend::Automatic:
            break;
    }
    return {};
}

TProgramOptions ParseProgramOptions(const std::vector<std::string>& Arguments) {
    TProgramOptions Options;
    bool WantsHelp = false;
    bool WantsVersion = false;
    bool WantsRun = false;
    bool WantsWindowList = false;
    bool WantsDesktop = false;
    bool WantsForget = false;
    bool FileSeen = false;
    bool OptionsEnded = false;
    for (auto Argument = Arguments.begin(); Argument != Arguments.end(); ++Argument) {
        if (OptionsEnded || !IsOption(*Argument)) {
            if (!FileSeen) {
                Options.FileArgument = *Argument;
                FileSeen = true;
            }
        } else if (*Argument == "--") {
            OptionsEnded = true;
        } else if (*Argument == "--help" || *Argument == "-h") {
            WantsHelp = true;
        } else if (*Argument == "--version") {
            WantsVersion = true;
        } else if (*Argument == "--list-windows") {
            WantsWindowList = true;
        } else if (*Argument == "--desktop") {
            WantsDesktop = true;
        } else if (*Argument == "--forget-desktop-shortcuts") {
            WantsForget = true;
        } else if (*Argument == "--run-id") {
            if (std::next(Argument) == Arguments.end()) {
                throw EUsageError("option '--run-id' needs a hotkey's identifier");
            }
            Options.HotKeyId = HotKeyIdOf(*++Argument);
            WantsRun = true;
        } else if (*Argument == RunOption) {
            if (std::next(Argument) == Arguments.end()) {
                throw EUsageError("option '--run' needs the name of a hotkey");
            }
            Options.HotKeyName = *++Argument;
            WantsRun = true;
        } else if (Argument->starts_with(std::string(RunOption) + "=")) {
            Options.HotKeyName = Argument->substr(RunOption.size() + 1);
            WantsRun = true;
        } else if (Argument->starts_with("--hotkeys=")) {
            Options.HotKeyBackend =
                HotKeyBackendNamed(Argument->substr(std::string_view("--hotkeys=").size()));
        } else {
            throw EUsageError("unknown option '" + *Argument + "'");
        }
    }
    using enum TProgramOptions::TAction;
    Options.Action = WantsHelp         ? Help
                     : WantsVersion    ? Version
                     : WantsRun        ? RunHotKey
                     : WantsWindowList ? ListWindows
                     : WantsDesktop    ? Desktop
                     : WantsForget     ? ForgetDesktopShortcuts
                                       : Start;
    return Options;
}

std::string UsageText() {
    return "Usage: tulma [FILE]\n"
           "       tulma --run NAME [FILE]\n"
           "       tulma --list-windows [TEXT]\n"
           "       tulma --desktop\n"
           "       tulma --forget-desktop-shortcuts\n"
           "Binds system-wide hotkeys to programs.\n"
           "\n"
           "FILE is the hotkey file to use (\".tul\" is added when it has no extension, a name\n"
           "without a folder is looked for beside the program); without it, the default file\n"
           "KeyList.TUL. When Tulma already runs with that file, or FILE is left out, the running\n"
           "Tulma's window is shown instead.\n"
           "\n"
           "  --run NAME   run the hotkey NAME in the running Tulma, or, when none runs, from\n"
           "               FILE or the default file; exit status 1 when no hotkey has that name\n"
           "  --run-id ID  the same for the hotkey with the identifier ID (what the\n"
           "               desktop's shortcuts of Tulma's run)\n"
           "  --list-windows [TEXT]\n"
           "               list the windows that a command's window text TEXT matches now,\n"
           "               topmost first (every window without TEXT); TEXT is part of a\n"
           "               title, or class:NAME for the windows of program NAME; exit status\n"
           "               1 when none matches\n"
           "  --hotkeys=x11|portal|kde|sway|gnome\n"
           "               register the hotkeys with X11 key grabs, with the desktop's\n"
           "               shortcut portal, as shortcuts of KDE's service in KWin, as\n"
           "               bindings of sway or as GNOME's custom keybindings; by default\n"
           "               sway where its IPC socket answers, else KDE's shortcut service\n"
           "               where KWin hosts it and it answers, else the portal in a\n"
           "               Wayland session that proves to serve global\n"
           "               shortcuts, else GNOME's keybindings in a Wayland session where\n"
           "               gnome-settings-daemon runs them, else X11; a backend named here\n"
           "               that does not serve ends the program with the reason\n"
           "  --desktop    show the session, what each desktop backend proved and the\n"
           "               backends chosen for hotkeys and windows, and exit\n"
           "  --forget-desktop-shortcuts\n"
           "               remove every shortcut that Tulma wrote into the desktop's\n"
           "               settings (GNOME's custom keybindings), for an uninstall, and exit\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "  --           end of options: the next argument is FILE, whatever it starts with\n"
           "\n"
           "See tulma(1) for more.\n";
}

std::string VersionText() {
    return std::string("Tulma ") + ProgramVersion + " (" + ProgramDate + ")\n";
}

}  // namespace tulma
