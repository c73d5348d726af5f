#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "DesktopWindows.h"
#include "X11WindowCache.h"
#include "XcbWindowRequests.h"

namespace tulma {

// The top-level windows of an X display, through EWMH when a window manager runs and through the window
// tree when none does. They are read and activated on a connection of this object's own to $DISPLAY (the
// application's display), which keeps them from one search to the next (TX11WindowCache); on the
// application's connection, reading every window at each search, when that cannot be opened.
class TX11DesktopWindows : public IDesktopWindows {
  public:
    // UserTime gives the time stamp of the user action that asks for an activation (the hotkey press);
    // without one the request carries CurrentTime.
    using TTimeSource = std::function<xcb_timestamp_t()>;

    explicit TX11DesktopWindows(xcb_connection_t* Connection, TTimeSource UserTime = {});

    std::vector<TWindowHandle> TopLevelWindows() override;
    std::string WindowTitle(TWindowHandle Window) override;
    void RestoreAndActivate(TWindowHandle Window) override;
    // Every window's title and program names, read anew only for windows that changed since the last time.
    TWindowSnapshot Snapshot() override;
    // Logs the search to the platform category.
    void SearchDone(const std::string& Text, const TWindowInfo* Chosen) override;

    // Whether an EWMH window manager is running on the display.
    bool HasWindowManager();

  private:
    TX11WindowCache Cache;
    TTimeSource UserTime;
    TWindowManagerCheck WmCheck;

    // Active: the window active before, which the request names; States: the window's _NET_WM_STATE.
    void RestoreManaged(xcb_window_t Window, bool Mapped, xcb_window_t Active,
                        const std::vector<std::uint32_t>& States);
    void RestoreUnmanaged(xcb_window_t Window);
    std::uint32_t IcccmState(xcb_window_t Window);
};

// The instance and class names of a WM_CLASS property ("instance\0Class\0", ISO 8859-1), as UTF-8.
std::pair<std::string, std::string> ClassNames(const std::string& Property);

// ISO 8859-1 (the STRING type of X properties) to UTF-8.
std::string Latin1ToUtf8(const std::string& Text);

}  // namespace tulma
