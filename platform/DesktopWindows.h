#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tulma {

// A top-level window of the desktop, as the window system names it (an X window id).
using WindowHandle = std::uint64_t;

// The desktop's top-level windows: listing them with their titles, and bringing one back to the front.
class DesktopWindows {
  public:
    // Titles longer than this are cut, at a character boundary, to at most this many bytes.
    static constexpr std::size_t MaxTitleBytes = 199;

    DesktopWindows() = default;
    DesktopWindows(const DesktopWindows&) = delete;
    DesktopWindows& operator=(const DesktopWindows&) = delete;
    virtual ~DesktopWindows() = default;

    // Every top-level client window in stacking order, topmost first.
    virtual std::vector<WindowHandle> TopLevelWindows() = 0;
    // The window's title in UTF-8, at most MaxTitleBytes long; empty when it has none or is gone.
    virtual std::string WindowTitle(WindowHandle Window) = 0;
    // Un-minimises and un-maximises the window and makes it the active one. A window that has gone
    // meanwhile is ignored.
    virtual void RestoreAndActivate(WindowHandle Window) = 0;
};

}  // namespace tulma
