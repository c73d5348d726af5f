#pragma once

#include <QJsonObject>

#include <string>
#include <vector>

#include "DesktopWindows.h"
#include "SwayConnection.h"

namespace tulma {

// The windows of a sway session, native Wayland and X11 ones alike, from its tree (GET_TREE); a window's
// handle is its container id, which it keeps while it is open. sway stacks tiled windows side by side, so
// "topmost first" is the order of focus: each container lists its children most recently focused first.
// A window is brought forward with `[con_id=N] focus`, which also switches to its workspace, brings it
// out of the scratchpad and selects its tab.
class TSwayDesktopWindows : public IDesktopWindows {
  public:
    // Throws ESwayIpc when the socket does not answer.
    explicit TSwayDesktopWindows(const std::string& SocketPath);

    std::vector<TWindowHandle> TopLevelWindows() override;
    std::string WindowTitle(TWindowHandle Window) override;
    void RestoreAndActivate(TWindowHandle Window) override;
    TWindowSnapshot Snapshot() override;

  private:
    TSwayConnection Connection;
};

// The windows of a GET_TREE reply, focus order first, with the focused one as the active window.
TWindowSnapshot SwayTreeWindows(const QJsonObject& Tree);

}  // namespace tulma
