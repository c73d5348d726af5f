#pragma once

#include <functional>

#include <xcb/xcb.h>

#include "DesktopWindows.h"
#include "XcbAtoms.h"

namespace tulma {

// The top-level windows of an X display, through EWMH when a window manager runs and through the window
// tree when none does.
class X11DesktopWindows : public DesktopWindows {
  public:
    // UserTime gives the time stamp of the user action that asks for an activation (the hotkey press);
    // without one the request carries CurrentTime.
    using TimeSource = std::function<xcb_timestamp_t()>;

    explicit X11DesktopWindows(xcb_connection_t* Connection, TimeSource UserTime = {});

    std::vector<WindowHandle> TopLevelWindows() override;
    std::string WindowTitle(WindowHandle Window) override;
    void RestoreAndActivate(WindowHandle Window) override;

    // Whether an EWMH window manager is running on the display.
    bool HasWindowManager();

  private:
    xcb_connection_t* Connection;
    xcb_window_t Root;
    XcbAtoms Atoms;
    TimeSource UserTime;

    void RestoreManaged(xcb_window_t Window, bool Mapped);
    void RestoreUnmanaged(xcb_window_t Window);
    std::uint32_t IcccmState(xcb_window_t Window);
};

// Cuts Text to at most MaxBytes without splitting a UTF-8 sequence and ends it at an embedded NUL.
std::string CutTitle(std::string Text, std::size_t MaxBytes);

// ISO 8859-1 (the STRING type of X properties) to UTF-8.
std::string Latin1ToUtf8(const std::string& Text);

}  // namespace tulma
