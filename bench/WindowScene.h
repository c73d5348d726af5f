#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <string>

#include "XServerFixture.h"

namespace tulma::bench {

// Xvfb with openbox and Count titled windows of one client, the one titled TargetTitle mapped last
// (last in the client list) and kept at the bottom of the stacking order: deep for any search.
class TWindowScene {
  public:
    TWindowScene(int Count, std::string TargetTitle);
    ~TWindowScene();
    TWindowScene(const TWindowScene&) = delete;
    TWindowScene& operator=(const TWindowScene&) = delete;

    // Another window active, the target lowered to the bottom again.
    void Reset();
    // The monotonic time (ns) at which the target was seen to become the active window; throws after
    // TimeoutMs.
    std::int64_t WaitUntilTargetActive(int TimeoutMs);

    xcb_window_t Target() const { return TargetWindow; }
    const std::string& TargetTitle() const { return Title; }
    const std::string& DisplayName() const { return Display.DisplayName(); }

  private:
    test::XServerFixture Display;
    std::string Title;
    pid_t Client = -1;
    xcb_connection_t* Watch = nullptr;
    xcb_atom_t NetActiveWindow = XCB_ATOM_NONE;
    xcb_window_t TargetWindow = XCB_WINDOW_NONE;
    xcb_window_t Other = XCB_WINDOW_NONE;

    void FindWindows(int Count);
    xcb_window_t Active();
    bool TargetAtBottom();
};

}  // namespace tulma::bench
