#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "DesktopWindows.h"

namespace tulma {

class TKWinScript;

// The windows of a KWin Wayland session, native Wayland ones included, which X11 cannot see: KWin
// lists them, topmost first, to a script. X11 windows (XWayland) keep their X window ids and are
// handed to the X11 implementation; native windows get handles of their own (top bit set) that are
// valid until the next listing, and are restored and activated by a script as well.
class TKWinDesktopWindows : public IDesktopWindows {
  public:
    explicit TKWinDesktopWindows(IDesktopWindows& X11Windows);
    ~TKWinDesktopWindows() override;

    std::vector<WindowHandle> TopLevelWindows() override;
    std::string WindowTitle(WindowHandle Window) override;
    void RestoreAndActivate(WindowHandle Window) override;

  private:
    struct NativeWindow {
        QString Id;
        std::string Title;
    };

    IDesktopWindows& X11Windows;
    std::unique_ptr<TKWinScript> Script;
    std::vector<NativeWindow> Native;
};

}  // namespace tulma
