#pragma once

#include <QByteArray>

#include <cstdint>

#include <xcb/xcb.h>

#include "KeyNames.h"
#include "QtKeys.h"

namespace tulma {

// The application's X connection: Qt's when it runs on xcb, else one of the program's own to DISPLAY
// (XWayland under a Wayland session), whose events reach native event filters too; nullptr when there is
// no X display.
xcb_connection_t* QtX11Connection();

// The X event that a native event filter was handed, or nullptr when it is not one.
inline const xcb_generic_event_t* XcbEventOf(const QByteArray& EventType, void* Message) {
    return EventType == "xcb_generic_event_t" ? static_cast<const xcb_generic_event_t*>(Message) : nullptr;
}

// The event's kind, without the bit that marks an event sent by another client.
inline std::uint8_t XcbEventKind(const xcb_generic_event_t& Event) {
    return Event.response_type & 0x7F;
}

// The key-name lookup of the current keyboard layout on the application's display; names are empty
// when there is no X display.
TKeyNameLookup X11KeyNames();

// The code of a captured key press from its X keycode and keysym on the current layout; 0 when there is
// no X display or the press has no keycode.
TKeyEventLookup X11KeyCodes();

}  // namespace tulma
