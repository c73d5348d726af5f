#include "ShowModeWatcher.h"

#include <algorithm>

#include "XcbReply.h"

namespace tulma {

namespace {

constexpr std::uint32_t NetWmStateAdd = 1;
constexpr std::uint32_t SourcePager = 2;
constexpr std::uint32_t IcccmIconic = 3;

bool Activates(ShowCommand Mode) {
    return Mode == ShowCommand::ShowNormal || Mode == ShowCommand::ShowMaximized;
}

bool KeepsFocusAway(ShowCommand Mode) {
    return Mode == ShowCommand::ShowNoActivate || Mode == ShowCommand::ShowMinNoActive;
}

bool Minimizes(ShowCommand Mode) {
    return Mode == ShowCommand::ShowMinimized || Mode == ShowCommand::ShowMinNoActive;
}

}  // namespace

ShowModeWatcher::ShowModeWatcher(xcb_connection_t* Connection, QObject* Parent)
    : QObject(Parent), Connection(Connection), Root(FirstRoot(Connection)), Atoms(Connection) {
    Poll.setInterval(PollMs);
    connect(&Poll, &QTimer::timeout, this, &ShowModeWatcher::Tick);
}

void ShowModeWatcher::Watch(pid_t Pid, ShowCommand Mode) {
    Entry Watch;
    Watch.Pid = Pid;
    Watch.Mode = Mode;
    Watch.Age.start();
    Watch.Previous = ActiveWindow();
    // Windows that exist before the start cannot be the program's first window.
    for (std::uint32_t Window : GetCardinals(Connection, Root, Atoms.NetClientList, XCB_ATOM_WINDOW)) {
        Watch.Others.insert(Window);
    }
    Watches.push_back(std::move(Watch));
    Poll.start();
}

void ShowModeWatcher::Tick() {
    std::erase_if(Watches, [this](Entry& Watch) { return !Step(Watch); });
    if (Watches.empty()) {
        Poll.stop();
    }
    xcb_flush(Connection);
}

// One look at a watch; false when it is done.
bool ShowModeWatcher::Step(Entry& Watch) {
    if (Watch.Found == XCB_WINDOW_NONE) {
        Watch.Found = FindWindow(Watch);
        if (Watch.Found == XCB_WINDOW_NONE) {
            return Watch.Age.elapsed() < WatchMs;
        }
        Apply(Watch);
        Watch.Guard.start();
    }
    if (!KeepsFocusAway(Watch.Mode)) {
        return false;
    }
    KeepFocusAway(Watch);
    return Watch.Guard.elapsed() < GuardMs;
}

xcb_window_t ShowModeWatcher::FindWindow(Entry& Watch) {
    for (std::uint32_t Window : GetCardinals(Connection, Root, Atoms.NetClientList, XCB_ATOM_WINDOW)) {
        if (Watch.Others.contains(Window)) {
            continue;
        }
        const auto Pid = GetCardinals(Connection, Window, Atoms.NetWmPid, XCB_ATOM_CARDINAL);
        if (Pid.empty()) {
            continue;  // may still get its pid
        }
        if (static_cast<pid_t>(Pid[0]) == Watch.Pid) {
            return Window;
        }
        Watch.Others.insert(Window);
    }
    return XCB_WINDOW_NONE;
}

void ShowModeWatcher::Apply(Entry& Watch) {
    if (Watch.Mode == ShowCommand::ShowMaximized) {
        SendToRoot(Connection, Root, Watch.Found, Atoms.NetWmState, NetWmStateAdd,
                   Atoms.NetWmStateMaximizedVert, Atoms.NetWmStateMaximizedHorz, SourcePager);
    }
    if (Minimizes(Watch.Mode)) {
        SendToRoot(Connection, Root, Watch.Found, Atoms.WmChangeState, IcccmIconic);
    }
    if (Activates(Watch.Mode)) {
        Activate(Watch.Found);
    }
    if (KeepsFocusAway(Watch.Mode)) {
        KeepFocusAway(Watch);
    }
}

// The window manager may hand focus to a new window; give it back to the window that had it.
void ShowModeWatcher::KeepFocusAway(const Entry& Watch) {
    if (ActiveWindow() == Watch.Found && Watch.Previous != XCB_WINDOW_NONE) {
        Activate(Watch.Previous);
    }
}

xcb_window_t ShowModeWatcher::ActiveWindow() {
    const auto Active = GetCardinals(Connection, Root, Atoms.NetActiveWindow, XCB_ATOM_WINDOW);
    return Active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Active[0];
}

void ShowModeWatcher::Activate(xcb_window_t Window) {
    SendToRoot(Connection, Root, Window, Atoms.NetActiveWindow, SourcePager, XCB_CURRENT_TIME,
               XCB_WINDOW_NONE);
}

}  // namespace tulma
