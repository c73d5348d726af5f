#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "DesktopWindows.h"

namespace tulma {

class TKWinScript;

// The windows of a KWin Wayland session, native Wayland ones included, which X11 cannot see: KWin
// lists them, topmost first, with their program names (a native window's app id) and the active one,
// to a script. X11 windows (XWayland) keep their X window ids and are handed to the X11
// implementation; native windows get handles of their own (top bit set) that they keep while they are
// open, and are restored and activated by a script as well.
class TKWinDesktopWindows : public IDesktopWindows {
  public:
    explicit TKWinDesktopWindows(IDesktopWindows& X11Windows);
    ~TKWinDesktopWindows() override;

    std::vector<TWindowHandle> TopLevelWindows() override;
    std::string WindowTitle(TWindowHandle Window) override;
    void RestoreAndActivate(TWindowHandle Window) override;
    // KWin's listing with the program names of each window and the window KWin has active; the X11
    // listing alone when KWin does not answer.
    TWindowSnapshot Snapshot() override;
    // Logged as the X11 implementation logs its searches.
    void SearchDone(const std::string& Text, const TWindowInfo* Chosen) override;

  private:
    struct TNativeWindow {
        TWindowHandle Handle = 0;
        QString Id;
        std::string Title;
    };

    IDesktopWindows& X11Windows;
    std::unique_ptr<TKWinScript> Script;
    // The native windows of the last listing.
    std::vector<TNativeWindow> Native;
    TWindowHandle NextNative = 0;

    TWindowHandle NativeHandle(const QString& Id);
    const TNativeWindow* FindNative(TWindowHandle Window) const;
};

}  // namespace tulma
