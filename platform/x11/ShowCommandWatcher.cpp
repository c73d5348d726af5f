#include "ShowCommandWatcher.h"

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "X11DesktopWindows.h"
#include "XcbWindowRequests.h"

namespace tulma {

namespace {

bool Activates(TShowCommand Mode) {
    return Mode == TShowCommand::ShowNormal || Mode == TShowCommand::ShowMaximized;
}

bool KeepsFocusAway(TShowCommand Mode) {
    return Mode == TShowCommand::ShowNoActivate || Mode == TShowCommand::ShowMinNoActive;
}

// A program that has ended shows no window any more.
bool ProcessExists(pid_t Pid) {
    return kill(Pid, 0) == 0 || errno != ESRCH;
}

bool SameName(const std::string& A, const std::string& B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
        return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y));
    });
}

bool Minimizes(TShowCommand Mode) {
    return Mode == TShowCommand::ShowMinimized || Mode == TShowCommand::ShowMinNoActive;
}

}  // namespace

TShowCommandWatcher::TShowCommandWatcher(xcb_connection_t* Connection, QObject* Parent)
    : QObject(Parent), Connection(Connection), Root(FirstRoot(Connection)), Atoms(Connection) {
    Poll.setInterval(PollMs);
    connect(&Poll, &QTimer::timeout, this, &TShowCommandWatcher::Tick);
}

std::optional<TShowCommandWatcher::TBaselineRequest> TShowCommandWatcher::AskBaseline(TShowCommand Mode) {
    if (!KeepsFocusAway(Mode)) {
        return std::nullopt;
    }
    TBaselineRequest Before{
        RequestCardinals(Connection, Root, Atoms.NetSupportingWmCheck, XCB_ATOM_WINDOW),
        RequestCardinals(Connection, Root, Atoms.NetActiveWindow, XCB_ATOM_WINDOW),
        {Connection, xcb_get_input_focus(Connection), xcb_get_input_focus_reply},
    };
    xcb_flush(Connection);
    return Before;
}

// A fresh process has no windows yet, so every window with its pid is one it made after the start.
// Windows of the classes that are already there belong to an earlier start.
void TShowCommandWatcher::Watch(pid_t Pid, TShowCommand Mode, std::optional<TBaselineRequest>& Before,
                                const std::vector<std::string>& Classes) {
    TEntry Watch;
    Watch.Pid = Pid;
    Watch.Classes = Classes;
    Watch.Mode = Mode;
    Watch.Age.start();
    if (Before) {
        TakeBaseline(Watch, *Before);
    }
    if (!Classes.empty()) {
        if (!Watch.Surveyed) {
            Watch.Managed = WindowManagerRunning(Connection, Root, Atoms.NetSupportingWmCheck);
            Watch.Surveyed = true;
        }
        for (std::uint32_t Window : TopLevelWindows(Watch.Managed)) {
            Watch.Others.insert(Window);
        }
    }
    Watches.push_back(std::move(Watch));
    // Started once, not again: a restart at every launch would hold off every look for as long as
    // launches come faster than the poll, and the watches would pile up unlooked at.
    if (!Poll.isActive()) {
        Poll.start();
    }
}

void TShowCommandWatcher::TakeBaseline(TEntry& Watch, TBaselineRequest& Before) {
    Watch.Managed = WindowManagerRunning(Connection, Before.WmCheck, Atoms.NetSupportingWmCheck);
    Watch.Surveyed = true;
    if (Watch.Managed) {
        const auto Active = CardinalsOf(Before.Active, XCB_ATOM_WINDOW);
        Watch.Previous = Active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Active[0];
    } else if (const auto Focus = Before.Focus.Take()) {
        Watch.Previous = Focus->focus;
    }
}

void TShowCommandWatcher::Tick() {
    std::erase_if(Watches, [this](TEntry& Watch) { return !Step(Watch); });
    if (Watches.empty()) {
        Poll.stop();
    }
    xcb_flush(Connection);
}

// One look at a watch; false when it is done.
bool TShowCommandWatcher::Step(TEntry& Watch) {
    if (!Watch.Surveyed) {
        Watch.Managed = WindowManagerRunning(Connection, Root, Atoms.NetSupportingWmCheck);
        Watch.Surveyed = true;
    }
    if (Watch.Found == XCB_WINDOW_NONE) {
        Watch.Found = FindWindow(Watch);
        if (Watch.Found == XCB_WINDOW_NONE) {
            // A launcher script may end before the application's window comes.
            return Watch.Age.elapsed() < WatchMs && (!Watch.Classes.empty() || ProcessExists(Watch.Pid));
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

std::vector<std::uint32_t> TShowCommandWatcher::TopLevelWindows(bool Managed) {
    return Managed ? GetCardinals(Connection, Root, Atoms.NetClientList, XCB_ATOM_WINDOW)
                   : RootChildren(Connection, Root);
}

bool TShowCommandWatcher::Viewable(xcb_window_t Window) {
    const auto Attributes = WindowAttributes(Connection, Window);
    return Attributes && Attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_window_t TShowCommandWatcher::FindWindow(TEntry& Watch) {
    for (std::uint32_t Window : TopLevelWindows(Watch.Managed)) {
        if (Watch.Others.contains(Window)) {
            continue;
        }
        const auto Pid = GetCardinals(Connection, Window, Atoms.NetWmPid, XCB_ATOM_CARDINAL);
        const bool Ours = (Watch.Pid > 0 && !Pid.empty() && static_cast<pid_t>(Pid[0]) == Watch.Pid) ||
                          (!Watch.Classes.empty() && HasClass(Window, Watch.Classes));
        if (Pid.empty() && !Ours) {
            continue;  // may still get its pid
        }
        if (Ours) {
            // Without a window manager the window is ours to deal with once the program has mapped it.
            if (!Watch.Managed && !Viewable(Window)) {
                continue;
            }
            return Window;
        }
        Watch.Others.insert(Window);
    }
    return XCB_WINDOW_NONE;
}

bool TShowCommandWatcher::HasClass(xcb_window_t Window, const std::vector<std::string>& Classes) {
    auto Request = RequestBytes(Connection, Window, XCB_ATOM_WM_CLASS);
    xcb_atom_t Type = XCB_ATOM_NONE;
    const auto Names = ClassNames(BytesOf(Request, &Type));
    return std::any_of(Classes.begin(), Classes.end(), [&](const std::string& Name) {
        return SameName(Name, Names.first) || SameName(Name, Names.second);
    });
}

void TShowCommandWatcher::Apply(TEntry& Watch) {
    if (!Watch.Managed) {
        ApplyUnmanaged(Watch);
        return;
    }
    if (Watch.Mode == TShowCommand::ShowMaximized) {
        SendToRoot(Connection, Root, Watch.Found, Atoms.NetWmState, NetWmStateAdd,
                   Atoms.NetWmStateMaximizedVert, Atoms.NetWmStateMaximizedHorz, SourcePager);
    }
    if (Minimizes(Watch.Mode)) {
        SendToRoot(Connection, Root, Watch.Found, Atoms.WmChangeState, IcccmIconic);
    }
    if (Activates(Watch.Mode)) {
        Activate(Watch.Found, true);
    }
    if (KeepsFocusAway(Watch.Mode)) {
        KeepFocusAway(Watch);
    }
}

void TShowCommandWatcher::ApplyUnmanaged(TEntry& Watch) {
    if (Watch.Mode == TShowCommand::ShowMaximized) {
        const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
        const std::uint32_t Geometry[] = {0, 0, Screen->width_in_pixels, Screen->height_in_pixels};
        xcb_configure_window(
            Connection, Watch.Found,
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
            Geometry);
    }
    if (Activates(Watch.Mode)) {
        Activate(Watch.Found, false);
    }
    if (KeepsFocusAway(Watch.Mode)) {
        KeepFocusAway(Watch);
    }
}

// The window manager may hand focus to the new window, or to nobody when the new window is iconified
// while it has it; give it back to the window that had it.
void TShowCommandWatcher::KeepFocusAway(const TEntry& Watch) {
    const xcb_window_t Active = ActiveWindow(Watch.Managed);
    if (Watch.Previous != XCB_WINDOW_NONE && (Active == Watch.Found || Active == XCB_WINDOW_NONE)) {
        Activate(Watch.Previous, Watch.Managed);
    }
}

// The window manager's active window, or without one the window with the input focus.
xcb_window_t TShowCommandWatcher::ActiveWindow(bool Managed) {
    return Managed ? ActiveWindowOf(Connection, Root, Atoms.NetActiveWindow) : InputFocus(Connection);
}

void TShowCommandWatcher::Activate(xcb_window_t Window, bool Managed) {
    if (Managed) {
        RequestActivation(Connection, Root, Atoms.NetActiveWindow, Window, XCB_CURRENT_TIME, XCB_WINDOW_NONE);
        return;
    }
    // The focus may have been PointerRoot, which is no window to raise.
    if (Window != XCB_INPUT_FOCUS_POINTER_ROOT) {
        RaiseWindow(Connection, Window);
    }
    SetInputFocus(Connection, Window, XCB_CURRENT_TIME);
}

}  // namespace tulma
