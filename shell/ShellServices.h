#pragma once

#include <functional>
#include <string>

#include "AtomTable.h"

class QWidget;

namespace tulma {

class IDesktopWindows;
class IHotKeyRegistry;
class IFileDialogs;
class ILaunchFailureReport;
class ILauncher;
class THotTulma;

// The desktop as the main window reaches it. The program hands in what the chooser of backends built;
// tests hand in fakes.
struct TShellServices {
    IHotKeyRegistry& HotKeys;
    IDesktopWindows& Windows;
    ILauncher& Launcher;
    // Where a hotkey's command that started nothing is told.
    ILaunchFailureReport& LaunchFailures;
    IFileDialogs& FileDialogs;
    // Whether the desktop has a notification area for the tray icon.
    std::function<bool()> ShellAvailable;
    // Opens the hotkey definition dialog on HotKey; true when it ended with OK.
    std::function<bool(QWidget* Owner, THotTulma& HotKey)> DefineHotKey;
    // Whether the hotkeys are shortcuts of the desktop (its portal), which decides their combinations.
    bool DesktopShortcuts = false;
    // Whether the hotkeys are bindings of the compositor (sway), which sees every key press.
    bool CompositorBindings = false;
    // The backends in use and, when the preferred one did not serve, why; leads the session notice.
    std::string BackendNotice = {};
    TAtomTable& Atoms = TAtomTable::Global();
};

}  // namespace tulma
