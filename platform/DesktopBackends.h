#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BackendChoice.h"
#include "KeyNames.h"
#include "LayoutLookups.h"
#include "QtKeys.h"

namespace tulma {

class IDesktopWindows;
class TGnomeShellWindows;
class IHotKeyRegistry;
class ILauncher;
class THandOverHotKeys;
class TGnomeHotKeys;
class TKWinDesktopWindows;
class TKdeHotKeys;
class TPortalHotKeys;
class TStatusNotifierTrayWatcher;
class TSwayDesktopWindows;
class TSwayHotKeys;
class TWaylandKeymap;
class TX11Desktop;
class TX11Launcher;
class TX11TrayWatcher;

struct TDesktopRequest {
    // The hotkey backend named by --hotkeys=, empty to choose.
    std::string ForcedHotKeyBackend = {};
    // Whether hotkeys are registered at all (a command-line run needs windows and launches only).
    bool NeedHotKeys = true;
    // Proves every backend, for a report of them all.
    bool AskAll = false;
    // The name of the desktop's shortcut group for the hotkeys (see ShortcutGroup), asked at each
    // binding; none: the default group.
    std::function<std::string()> ShortcutGroup = {};
    // The group's name in the desktop's settings, where they show one besides ShortcutGroup (KDE's).
    std::function<std::string()> ShortcutGroupTitle = {};
    // What a desktop that starts a program on each press (GNOME's custom keybindings) runs for the
    // registration named Key: the program and its arguments.
    std::function<std::vector<std::string>(const std::string& Key)> DesktopCommand = {};
};

// This session's choice of backends, each proving itself when the choice depends on it (all of them with
// AskAll). Throws EBackendUnavailable when the forced hotkey backend does not serve.
TBackendChoice ChooseDesktopBackends(const TDesktopRequest& Request);

// Removes every shortcut that Tulma wrote into the desktop's settings (GNOME's custom keybindings, which
// outlive a crash); the line that tells the user what was done.
std::string ForgetDesktopShortcuts();

// Why no backend lists windows here, from the verdicts of a choice.
std::string NoWindowsReason(const TBackendChoice& Choice);

// The desktop services of this session, from the backends that prove to work here, in the order of
// preference: sway's IPC socket, then KDE's global shortcut service in KWin, then the GlobalShortcuts portal
// (both Wayland sessions), then GNOME's custom
// keybindings (Wayland sessions), then X11 key grabs;
// sway's, KWin's or GNOME Shell's window list (Wayland sessions), then X11's. X11 serves only when the
// application runs on an X display; the launcher starts programs without one too (show commands then are not
// applied). Every entry point of the program builds its desktop here, so all of them see the same windows.
class TDesktopBackends : public QObject {
    Q_OBJECT
  public:
    // Throws EBackendUnavailable when the forced hotkey backend does not serve, and when hotkeys are
    // needed and no backend serves them.
    explicit TDesktopBackends(const TDesktopRequest& Request, QObject* Parent = nullptr);
    ~TDesktopBackends() override;

    const TBackendChoice& Choice() const { return Chosen; }
    // The line that tells the user which backends serve and, when the preferred one did not, why.
    std::string Notice() const;
    // Whether the hotkeys are shortcuts of the desktop, which decides their combinations.
    bool DesktopShortcuts() const { return Chosen.HotKeyBackend == "portal"; }
    // Whether the hotkeys are bindings of the compositor (sway, KWin), which sees every key press.
    bool CompositorBindings() const {
        return Chosen.HotKeyBackend == "sway" || Chosen.HotKeyBackend == "kde";
    }

    IHotKeyRegistry& HotKeys();
    // Whether some backend lists windows here; without one, Windows() is an empty list.
    bool HasWindows() const { return !Chosen.WindowBackend.empty(); }
    IDesktopWindows& Windows();
    ILauncher& Launcher();
    // Runs the event loop until every program started so far has had its show command applied (or given
    // up on), for a program that ends right after its launches.
    void WaitForLaunches() const;
    TKeyNameLookup KeyNames() const;
    TKeyEventLookup KeyCodes() const;

  signals:
    // The portal failed after it had proved to serve; the hotkeys moved to X11 (Notice says why).
    void HotKeysHandedOver();
    // A tray host came, went or was replaced (an X11 tray or the D-Bus StatusNotifier watcher).
    void TrayHostChanged();
    // Notice() changed: a backend stopped serving.
    void NoticeChanged();

  private:
    TBackendChoice Chosen;
    std::unique_ptr<TX11Desktop> X11;
    std::unique_ptr<TX11Launcher> PlainLauncher;
    std::unique_ptr<IDesktopWindows> NoWindows;
    std::unique_ptr<TKWinDesktopWindows> KWin;
    std::unique_ptr<TGnomeShellWindows> GnomeShell;
    std::unique_ptr<TKdeHotKeys> Kde;
    std::unique_ptr<TPortalHotKeys> Portal;
    std::unique_ptr<TPortalHotKeys> FailedPortal;
    std::unique_ptr<TSwayHotKeys> Sway;
    std::unique_ptr<TSwayDesktopWindows> SwayWindows;
    std::unique_ptr<TGnomeHotKeys> Gnome;
    // Last of the backends, so that it goes before the one it forwards to.
    std::unique_ptr<THandOverHotKeys> Registry;
    std::unique_ptr<TX11TrayWatcher> X11Tray;
    std::unique_ptr<TStatusNotifierTrayWatcher> StatusNotifiers;
    // The compositor's layout, for key names and captured keys where no X display tells them.
    std::shared_ptr<TWaylandKeymap> Keymap;

    void PortalFailed(const std::string& Reason);
    // What cannot be done without an X display, and why there is none.
    std::string NoX11Notice() const;
    TLayoutSource WaylandLayout() const;
};

}  // namespace tulma
