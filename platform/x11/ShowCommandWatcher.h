#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include <sys/types.h>
#include <xcb/xcb.h>

#include "ShowCommand.h"
#include "XcbAtoms.h"
#include "XcbReply.h"

namespace tulma {

// Applies a show command to the first top-level window of a started program once the window manager
// has taken it on (or, without one, once it is mapped): the window is recognised by its _NET_WM_PID, or,
// for an application whose window may come from another process, as a new window of one of its classes.
// Watching is polled from the event loop and ends after a bounded time, found or not, or when the
// program has ended. Without a window manager nobody could bring an iconified window back, so the
// minimized modes leave the window shown and only keep the focus where it was.
class TShowCommandWatcher : public QObject {
    Q_OBJECT
  public:
    // How long a program may take to show its first window.
    static constexpr int WatchMs = 10000;
    // How long focus is kept away from a window started without activation, against late focus changes.
    static constexpr int GuardMs = 1500;
    static constexpr int PollMs = 20;

    TShowCommandWatcher(xcb_connection_t* Connection, QObject* Parent = nullptr);

    // The desktop as it was before a start, for the modes that give the focus back to the window that had
    // it: asked for before the program runs, since a quick program may map its window, and the window
    // manager focus it, before the start call has returned; read after the start, so that the round
    // trips do not delay it. The other modes ask nothing before the start, so that no request competes
    // with the program's start for the X server.
    struct TBaselineRequest {
        TDeferredProperty WmCheck;
        TDeferredProperty Active;
        TDeferredReply<xcb_get_input_focus_reply_t, xcb_get_input_focus_cookie_t> Focus;
    };
    std::optional<TBaselineRequest> AskBaseline(TShowCommand Mode);
    // Pid: the started process, 0 for none; Classes: WM_CLASS names (instance or class, case ignored) that
    // a window new since the start may carry instead.
    void Watch(pid_t Pid, TShowCommand Mode, std::optional<TBaselineRequest>& Before,
               const std::vector<std::string>& Classes = {});
    bool Idle() const { return Watches.empty(); }

  private:
    struct TEntry {
        pid_t Pid = -1;
        std::vector<std::string> Classes;
        TShowCommand Mode = TShowCommand::ShowNormal;
        QElapsedTimer Age;
        std::set<xcb_window_t> Others;            // windows of other programs, not looked at again
        bool Managed = true;                      // a window manager runs (asked at the start or first look)
        bool Surveyed = false;                    // whether Managed has been asked yet
        xcb_window_t Previous = XCB_WINDOW_NONE;  // active (focused) when the program was started
        xcb_window_t Found = XCB_WINDOW_NONE;
        QElapsedTimer Guard;
    };

    xcb_connection_t* Connection;
    xcb_window_t Root;
    TXcbAtoms Atoms;
    QTimer Poll;
    std::vector<TEntry> Watches;

    void Tick();
    void TakeBaseline(TEntry& Watch, TBaselineRequest& Before);
    bool Step(TEntry& Watch);
    std::vector<std::uint32_t> TopLevelWindows(bool Managed);
    bool Viewable(xcb_window_t Window);
    xcb_window_t FindWindow(TEntry& Watch);
    bool HasClass(xcb_window_t Window, const std::vector<std::string>& Classes);
    void Apply(TEntry& Watch);
    void ApplyUnmanaged(TEntry& Watch);
    void KeepFocusAway(const TEntry& Watch);
    xcb_window_t ActiveWindow(bool Managed);
    void Activate(xcb_window_t Window, bool Managed);
};

}  // namespace tulma
