#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <xcb/xcb.h>

#include "DesktopWindows.h"
#include "XcbAtoms.h"
#include "XcbConnection.h"
#include "XcbWindowRequests.h"

class QSocketNotifier;

namespace tulma {

// The display's top-level windows with their titles and program names, kept from one search to the next
// on a connection that this object alone reads. A window is read when it first appears in the list and
// again only after its title or program names changed, which its property events tell (its structure events
// tell when it is destroyed); a window that changed is not watched again until it has been read, so a
// program retitling itself all day costs one event, not one per title. A search thus costs one round trip
// (the list, which also brings every event sent before it) and the reading of the windows that changed
// since the last one.
class TX11WindowCache {
  public:
    // DisplayName: the display to open on first use. Fallback: the connection to work on without watching
    // (every window is read at each search) when that display cannot be opened.
    TX11WindowCache(std::string DisplayName, xcb_connection_t* Fallback);
    ~TX11WindowCache();
    TX11WindowCache(const TX11WindowCache&) = delete;
    TX11WindowCache& operator=(const TX11WindowCache&) = delete;

    // The top-level windows, topmost first, as the window manager lists them (or the root's children
    // when none runs), with the active window (the input focus without a window manager).
    struct TList {
        std::vector<xcb_window_t> TopFirst;
        bool Managed = false;
        xcb_window_t Active = XCB_WINDOW_NONE;
    };
    TList List();
    TWindowSnapshot Snapshot();
    // One window's title, read now; empty when it has none or is gone.
    std::string Title(xcb_window_t Window);

    // The connection the list is read on, opened on first use, with its root and atoms.
    xcb_connection_t* Connection();
    xcb_window_t Root();
    const TXcbAtoms& Atoms();

  private:
    struct TNames {
        std::string Title;
        std::string Instance;
        std::string Class;
        // False once a property that the names come from has changed: read again at the next search.
        bool Current = false;
    };

    std::string DisplayName;
    xcb_connection_t* Fallback;
    std::optional<TXcbConnection> Own;
    xcb_connection_t* X = nullptr;
    bool Watching = false;
    xcb_window_t RootWindow = XCB_WINDOW_NONE;
    std::unique_ptr<TXcbAtoms> Interned;
    std::unique_ptr<QSocketNotifier> Readable;
    TWindowManagerCheck WmCheck;
    // The windows of the last list; none other is kept.
    std::unordered_map<xcb_window_t, TNames> Known;

    struct TNameRequests;

    void Open();
    // Handles the events that have come, without waiting: when they come where an event loop runs (so that
    // a window that changed stops being watched at once), and at each search.
    void TakeEvents();
    void Notice(const xcb_generic_event_t& Event);
    void Watch(xcb_window_t Window, bool On);
    void ReadChanged(const std::vector<xcb_window_t>& TopFirst);
    TNameRequests RequestNames(xcb_window_t Window);
    TNames NamesOf(TNameRequests& Requests);
};

}  // namespace tulma
