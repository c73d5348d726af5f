#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

#include "StartupNotice.h"

namespace tulma {

// Startup notification on X11 (the freedesktop.org startup-notification protocol): "new:" and
// "remove:" messages to the root window. The id carries the time of the hotkey press that led to the
// start, so that a window manager's focus-stealing prevention lets the new window have the focus.
class TX11StartupNotice : public IStartupNotice {
  public:
    // PressTime: the X time of the event that asked for the start, 0 when there is none.
    TX11StartupNotice(xcb_connection_t* Connection, std::function<xcb_timestamp_t()> PressTime);

    std::string Begin(const TStartupInfo& Info) override;
    void Cancel(const std::string& Id) override;

  private:
    xcb_connection_t* FConnection;
    std::function<xcb_timestamp_t()> FPressTime;
    xcb_atom_t FBeginAtom = XCB_ATOM_NONE;
    xcb_atom_t FMoreAtom = XCB_ATOM_NONE;
    unsigned FCount = 0;

    void Send(const std::string& Message);
};

// The message text: the kind ("new", "remove") and KEY="value" pairs, backslash and quote escaped.
std::string StartupMessage(const std::string& Kind,
                           const std::vector<std::pair<std::string, std::string>>& Fields);

}  // namespace tulma
