#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tulma {

// A top-level window of the desktop, as the window system names it (an X window id).
using TWindowHandle = std::uint64_t;

// One top-level window as a window search sees it.
struct TWindowInfo {
    TWindowHandle Handle = 0;
    // UTF-8, at most IDesktopWindows::MaxTitleBytes long; empty when the window has none.
    std::string Title;
    // The program's names for the window (WM_CLASS instance and class), UTF-8; empty when it gives none.
    std::string Instance;
    std::string Class;
};

// The desktop's top-level windows read at one moment.
struct TWindowSnapshot {
    // In stacking order, topmost first.
    std::vector<TWindowInfo> Windows;
    // The window that has the focus; 0 when none is known.
    TWindowHandle Active = 0;
};

// The handles of a snapshot's windows, in its order: the window list of desktops that read everything at
// once.
inline std::vector<TWindowHandle> HandlesOf(const TWindowSnapshot& Snapshot) {
    std::vector<TWindowHandle> Handles;
    for (const TWindowInfo& Window : Snapshot.Windows) {
        Handles.push_back(Window.Handle);
    }
    return Handles;
}

// The desktop's top-level windows: listing them with their titles, and bringing one back to the front.
class IDesktopWindows {
  public:
    // Titles longer than this are cut, at a character boundary, to at most this many bytes.
    static constexpr std::size_t MaxTitleBytes = 199;

    IDesktopWindows() = default;
    IDesktopWindows(const IDesktopWindows&) = delete;
    IDesktopWindows& operator=(const IDesktopWindows&) = delete;
    virtual ~IDesktopWindows() = default;

    // Every top-level client window in stacking order, topmost first.
    virtual std::vector<TWindowHandle> TopLevelWindows() = 0;
    // The window's title in UTF-8, at most MaxTitleBytes long; empty when it has none or is gone.
    virtual std::string WindowTitle(TWindowHandle Window) = 0;
    // Un-minimises and un-maximises the window and makes it the active one. A window that has gone
    // meanwhile is ignored.
    virtual void RestoreAndActivate(TWindowHandle Window) = 0;

    // Every window with its title and program names, and the active window. Desktops that can read all of
    // it in one go do so; this one asks window by window and knows neither program names nor focus.
    virtual TWindowSnapshot Snapshot() {
        TWindowSnapshot Result;
        for (const TWindowHandle Window : TopLevelWindows()) {
            Result.Windows.push_back(
                {.Handle = Window, .Title = WindowTitle(Window), .Instance = {}, .Class = {}});
        }
        return Result;
    }
    // Told the window text of each search and the window it chose (null when nothing matched), for
    // diagnostics.
    virtual void SearchDone(const std::string&, const TWindowInfo*) {}
};

}  // namespace tulma
