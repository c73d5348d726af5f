#include "DesktopBackends.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

#include "DisplaySession.h"
#include "GnomeHotKeys.h"
#include "GnomeSession.h"
#include "GnomeShellWindows.h"
#include "HandOverHotKeys.h"
#include "KWinDesktopWindows.h"
#include "KWinScript.h"
#include "KdeHotKeys.h"
#include "LayoutLookups.h"
#include "PlatformLog.h"
#include "PortalHotKeys.h"
#include "QtX11.h"
#include "ShowCommandWatcher.h"
#include "StatusNotifierTrayWatcher.h"
#include "SwayConnection.h"
#include "SwayDesktopWindows.h"
#include "SwayHotKeys.h"
#include "WaylandKeymap.h"
#include "X11Desktop.h"
#include "X11HotKeys.h"
#include "X11Launcher.h"
#include "X11TrayWatcher.h"

namespace tulma {
namespace {

constexpr int SettlePollMs = 50;
constexpr int SettleMs = TShowCommandWatcher::WatchMs + TShowCommandWatcher::GuardMs + 1000;

// Where no backend lists windows but KWin's list wants one for the X11 windows.
class TNoWindows : public IDesktopWindows {
  public:
    std::vector<TWindowHandle> TopLevelWindows() override { return {}; }
    std::string WindowTitle(TWindowHandle) override { return {}; }
    void RestoreAndActivate(TWindowHandle) override {}
};

TBackendVerdict ProveX11() {
    const char* Variable = std::getenv("DISPLAY");
    const std::string Display = Variable != nullptr ? Variable : "";
    if (QtX11Connection() != nullptr) {
        return {true, "the program runs on the X display " + Display};
    }
    if (Display.empty()) {
        return {false, "no X display (DISPLAY is not set)"};
    }
    return {false, "the X display " + Display + " is not open here"};
}

// Under sway a portal may list GlobalShortcuts through another desktop's backend and fail every session.
bool SwaySession() {
    const char* Desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return std::getenv("SWAYSOCK") != nullptr ||
           (Desktop != nullptr && std::string(Desktop).find("sway") != std::string::npos);
}

TBackendVerdict ProvePortal() {
    if (SwaySession()) {
        return {false, "sway has no GlobalShortcuts portal (one that lists it serves another desktop)"};
    }
    // Before 48 a portal that lists it serves another desktop, and asking it costs the start its wait.
    if (const auto Shell = GnomeShellVersion(); Shell && !GnomeShellHasShortcutsPortal(*Shell)) {
        return {false,
                "GNOME Shell " + *Shell + " has no GlobalShortcuts portal; GNOME 48 and later have it"};
    }
    return TPortalHotKeys::Prove();
}

TBackendVerdict ProveKWin() {
    if (TKWinScript::Available()) {
        return {true, "KWin's scripting interface is on the session bus"};
    }
    return {false, "KWin's scripting interface is not on the session bus"};
}

TBackendVerdict ProveGnomeShell() {
    if (GnomeShellOnBus()) {
        return {true, ShellExtensionOnBus() ? "GNOME Shell and Tulma's extension are on the session bus"
                                            : "GNOME Shell is on the session bus, Tulma's extension is not "
                                              "(X11 windows only until it is enabled)"};
    }
    return {false, "GNOME Shell is not on the session bus"};
}

std::string Title(const std::string& Backend) {
    if (Backend == "x11") {
        return "X11";
    }
    if (Backend == "portal") {
        return "the desktop's GlobalShortcuts portal";
    }
    if (Backend == "kde") {
        return "KDE's global shortcut service in KWin";
    }
    if (Backend == "kwin") {
        return "KWin (native Wayland windows too)";
    }
    if (Backend == "sway") {
        return "sway's IPC socket";
    }
    if (Backend == "gnome") {
        return "GNOME's custom keybindings";
    }
    if (Backend == "gnome-shell") {
        return "GNOME Shell (native Wayland windows through Tulma's extension)";
    }
    return "none";
}

bool KdeDesktop() {
    const char* Desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return Desktop != nullptr && std::string(Desktop).find("KDE") != std::string::npos;
}

// sway is a candidate where its socket is, GNOME's keybindings on a GNOME desktop, KDE's shortcut service
// on a KDE desktop (or any of them when named):
// other sessions need not hear of them.
std::vector<TBackendCandidate> Candidates(const TDesktopRequest& Request) {
    std::vector<TBackendCandidate> Listed{{"portal", true, false, true, ProvePortal},
                                          {"kwin", false, true, true, ProveKWin},
                                          {"gnome-shell", false, true, true, ProveGnomeShell},
                                          {"x11", true, true, false, ProveX11}};
    if (Request.ForcedHotKeyBackend == "gnome" || GnomeDesktop()) {
        Listed.insert(Listed.begin() + 1, {"gnome", true, false, true, ProveGnomeKeybindings});
    }
    if (Request.ForcedHotKeyBackend == "kde" || KdeDesktop()) {
        Listed.insert(Listed.begin(), {"kde", true, false, true, TKdeHotKeys::Prove});
    }
    if (Request.ForcedHotKeyBackend == "sway" || !TSwayConnection::SessionSocketPath().empty()) {
        Listed.insert(Listed.begin(), {"sway", true, true, true, TSwayConnection::Prove});
    }
    return Listed;
}

}  // namespace

TBackendChoice ChooseDesktopBackends(const TDesktopRequest& Request) {
    TBackendChoice Chosen = ChooseBackends({.WaylandSession = IsWaylandSession(),
                                            .ForcedHotKeyBackend = Request.ForcedHotKeyBackend,
                                            .NeedHotKeys = Request.NeedHotKeys,
                                            .AskAll = Request.AskAll},
                                           Candidates(Request));
    for (const TAskedVerdict& Asked : Chosen.Verdicts) {
        qCDebug(PlatformLog).noquote() << "backend" << QString::fromStdString(Asked.Backend)
                                       << (Asked.Verdict.Works ? "serves:" : "does not serve:")
                                       << QString::fromStdString(Asked.Verdict.Reason);
    }
    if (!Chosen.HotKeyBackend.empty() && !Chosen.Fallback.empty()) {
        qCWarning(PlatformLog).noquote()
            << "hotkeys through" << QString::fromStdString(Title(Chosen.HotKeyBackend)) << "because"
            << QString::fromStdString(Chosen.Fallback);
    }
    return Chosen;
}

std::string ForgetDesktopShortcuts() {
    if (const std::string Missing = TGnomeKeybindings::Unavailable(); !Missing.empty()) {
        return "No desktop shortcuts to remove: " + Missing + ".";
    }
    const std::size_t Removed = TGnomeHotKeys::ForgetAll();
    return "Removed " + std::to_string(Removed) + " of Tulma's GNOME custom keybindings.";
}

std::string NoWindowsReason(const TBackendChoice& Choice) {
    std::string Reasons;
    for (const TAskedVerdict& Asked : Choice.Verdicts) {
        if (!Asked.Verdict.Works && (Asked.Backend == "x11" || Asked.Backend == "kwin" ||
                                     Asked.Backend == "sway" || Asked.Backend == "gnome-shell")) {
            Reasons += (Reasons.empty() ? "" : "; ") + Asked.Verdict.Reason;
        }
    }
    return Reasons;
}

TDesktopBackends::TDesktopBackends(const TDesktopRequest& Request, QObject* Parent)
    : QObject(Parent),
      Chosen(ChooseDesktopBackends(Request)),
      NoWindows(std::make_unique<TNoWindows>()),
      StatusNotifiers(std::make_unique<TStatusNotifierTrayWatcher>()) {
    if (Request.NeedHotKeys && Chosen.HotKeyBackend.empty()) {
        throw EBackendUnavailable("no way to register hotkeys here: " + Chosen.Fallback);
    }
    // The launcher, the key names and the tray watcher come from X11 whenever there is a display.
    if (QtX11Connection() != nullptr) {
        X11 = std::make_unique<TX11Desktop>();
        X11Tray = std::make_unique<TX11TrayWatcher>();
        connect(X11Tray.get(), &TX11TrayWatcher::TrayHostChanged, this, &TDesktopBackends::TrayHostChanged);
    } else {
        PlainLauncher = std::make_unique<TX11Launcher>(nullptr);
        if (IsWaylandSession()) {
            Keymap = std::make_shared<TWaylandKeymap>();
        }
        qCWarning(PlatformLog).noquote() << QString::fromStdString(NoX11Notice());
    }
    connect(StatusNotifiers.get(), &TStatusNotifierTrayWatcher::TrayHostChanged, this,
            &TDesktopBackends::TrayHostChanged);
    if (Chosen.WindowBackend == "kwin") {
        KWin = std::make_unique<TKWinDesktopWindows>(X11 ? X11->Windows() : *NoWindows);
    }
    if (Chosen.WindowBackend == "gnome-shell") {
        GnomeShell = std::make_unique<TGnomeShellWindows>(X11 ? X11->Windows() : *NoWindows);
        connect(GnomeShell.get(), &TGnomeShellWindows::ExtensionAnswersChanged, this,
                &TDesktopBackends::NoticeChanged);
    }
    if (Chosen.HotKeyBackend == "kde") {
        Kde = std::make_unique<TKdeHotKeys>(
            [Group = Request.ShortcutGroup, Title = Request.ShortcutGroupTitle] {
                return TKdeComponent{Group ? Group() : "tulma", Title ? Title() : "Tulma"};
            });
    }
    if (Chosen.HotKeyBackend == "portal") {
        Portal = std::make_unique<TPortalHotKeys>(Request.ShortcutGroup);
        connect(Portal.get(), &TPortalHotKeys::Failed, this,
                [this](const QString& Reason) { PortalFailed(Reason.toStdString()); });
    }
    if (Chosen.WindowBackend == "sway") {
        SwayWindows = std::make_unique<TSwayDesktopWindows>(TSwayConnection::SessionSocketPath());
    }
    if (Chosen.HotKeyBackend == "sway") {
        Sway = std::make_unique<TSwayHotKeys>(TSwayConnection::SessionSocketPath());
        connect(Sway.get(), &TSwayHotKeys::TroubleChanged, this, &TDesktopBackends::NoticeChanged);
    }
    if (Chosen.HotKeyBackend == "gnome") {
        Gnome = std::make_unique<TGnomeHotKeys>(Request.DesktopCommand);
    }
    if (Kde) {
        Registry = std::make_unique<THandOverHotKeys>(*Kde);
    } else if (Portal) {
        Registry = std::make_unique<THandOverHotKeys>(*Portal);
    } else if (Gnome) {
        Registry = std::make_unique<THandOverHotKeys>(*Gnome);
    } else if (Sway) {
        Registry = std::make_unique<THandOverHotKeys>(*Sway);
    } else if (Chosen.HotKeyBackend == "x11") {
        Registry = std::make_unique<THandOverHotKeys>(X11->HotKeys());
    }
}

TDesktopBackends::~TDesktopBackends() = default;

std::string TDesktopBackends::Notice() const {
    std::string Line =
        "Hotkeys: " + Title(Chosen.HotKeyBackend) + "; windows: " + Title(Chosen.WindowBackend) + ".";
    if (!Chosen.Fallback.empty()) {
        Line += " Not through the desktop: " + Chosen.Fallback + ".";
    }
    if (Sway && !Sway->Trouble().empty()) {
        Line += " " + Sway->Trouble() + ".";
    }
    if (!X11) {
        Line += " " + NoX11Notice();
    }
    if (GnomeShell && !GnomeShell->ExtensionAnswers()) {
        Line += " " + EnableShellExtensionHint();
    }
    return Line;
}

std::string TDesktopBackends::NoX11Notice() const {
    return "Without X11 (" + ProveX11().Reason +
           "), windows of X11 programs are neither found nor raised, and started programs get no show "
           "command.";
}

IHotKeyRegistry& TDesktopBackends::HotKeys() {
    if (!Registry) {
        throw std::logic_error("no hotkey backend was chosen");
    }
    return *Registry;
}

// The next backend takes over the same way as at start: X11 grabs, where there is a display.
void TDesktopBackends::PortalFailed(const std::string& Reason) {
    if (!X11 || !Portal) {
        return;
    }
    Portal->disconnect(this);
    Chosen.HotKeyBackend = "x11";
    Chosen.Fallback = Reason;
    qCWarning(PlatformLog).noquote() << "hotkeys through X11 from now on because"
                                     << QString::fromStdString(Reason);
    Registry->HandOver(X11->HotKeys());
    // Not deleted here, inside its own signal: it stays, unused, until the end.
    FailedPortal = std::move(Portal);
    emit HotKeysHandedOver();
}

IDesktopWindows& TDesktopBackends::Windows() {
    if (KWin) {
        return *KWin;
    }
    if (GnomeShell) {
        return *GnomeShell;
    }
    if (SwayWindows) {
        return *SwayWindows;
    }
    return X11 ? X11->Windows() : *NoWindows;
}

ILauncher& TDesktopBackends::Launcher() {
    return X11 ? X11->Launcher() : *PlainLauncher;
}

void TDesktopBackends::WaitForLaunches() const {
    if (!X11) {
        return;
    }
    QElapsedTimer Waited;
    Waited.start();
    QEventLoop Loop;
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, &Loop, [&] {
        if (X11->LaunchesSettled() || Waited.elapsed() > SettleMs) {
            Loop.quit();
        }
    });
    Poll.start(SettlePollMs);
    Loop.exec();
}

TKeyNameLookup TDesktopBackends::KeyNames() const {
    if (X11) {
        return X11->KeyNames();
    }
    return Keymap ? LayoutKeyNames(WaylandLayout()) : TKeyNameLookup();
}

TKeyEventLookup TDesktopBackends::KeyCodes() const {
    if (X11) {
        return X11KeyCodes();
    }
    return Keymap ? LayoutKeyCodes(WaylandLayout()) : TKeyEventLookup();
}

// The lookups may outlive the backends (they are handed to the key tables): they share the keymap.
TLayoutSource TDesktopBackends::WaylandLayout() const {
    return [Keymap = Keymap] { return Keymap->Layout(); };
}

}  // namespace tulma
