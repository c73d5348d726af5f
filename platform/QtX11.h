#pragma once

#include <xcb/xcb.h>

#include "KeyNames.h"

namespace tulma {

// The application's own X connection (Qt's), or nullptr when the application does not run on xcb.
xcb_connection_t* QtX11Connection();

// The key-name lookup of the current keyboard layout on the application's display; names are empty
// when there is no X display.
KeyNameLookup X11KeyNames();

}  // namespace tulma
