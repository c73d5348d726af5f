#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "DesktopWindows.h"
#include "XcbAtoms.h"
#include "XcbReply.h"

namespace tulma {

// The top-level windows of an X display, through EWMH when a window manager runs and through the window
// tree when none does.
class TX11DesktopWindows : public IDesktopWindows {
  public:
    // UserTime gives the time stamp of the user action that asks for an activation (the hotkey press);
    // without one the request carries CurrentTime.
    using TTimeSource = std::function<xcb_timestamp_t()>;

    explicit TX11DesktopWindows(xcb_connection_t* Connection, TTimeSource UserTime = {});

    std::vector<TWindowHandle> TopLevelWindows() override;
    std::string WindowTitle(TWindowHandle Window) override;
    void RestoreAndActivate(TWindowHandle Window) override;
    // Asks for every window's title and program names at once, then reads the answers.
    TWindowSnapshot Snapshot() override;
    // Logs the search to the platform category.
    void SearchDone(const std::string& Text, const TWindowInfo* Chosen) override;

    // Whether an EWMH window manager is running on the display.
    bool HasWindowManager();

  private:
    xcb_connection_t* Connection;
    xcb_window_t Root;
    TXcbAtoms Atoms;
    TTimeSource UserTime;

    // A title's two properties, asked for together: _NET_WM_NAME (UTF-8), and WM_NAME for windows without it.
    struct TTitleRequests {
        TDeferredProperty NetWmName;
        TDeferredProperty WmName;
    };

    std::vector<xcb_window_t> StackingTopFirst(bool Managed, TDeferredProperty& Stacking);
    TTitleRequests RequestTitle(xcb_window_t Window);
    std::string TitleOf(TTitleRequests& Requests);
    // Active: the window active before, which the request names.
    void RestoreManaged(xcb_window_t Window, bool Mapped, xcb_window_t Active);
    void RestoreUnmanaged(xcb_window_t Window);
    std::uint32_t IcccmState(xcb_window_t Window);
};

// The instance and class names of a WM_CLASS property ("instance\0Class\0", ISO 8859-1), as UTF-8.
std::pair<std::string, std::string> ClassNames(const std::string& Property);

// ISO 8859-1 (the STRING type of X properties) to UTF-8.
std::string Latin1ToUtf8(const std::string& Text);

}  // namespace tulma
