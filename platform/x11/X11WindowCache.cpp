#include "X11WindowCache.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

#include <tuple>
#include <unordered_set>
#include <utility>

#include "PlatformLog.h"
#include "WindowTitle.h"
#include "X11DesktopWindows.h"

namespace tulma {

struct TX11WindowCache::TNameRequests {
    TDeferredProperty NetWmName;
    TDeferredProperty WmName;
    TDeferredProperty WmClass;
};

TX11WindowCache::TX11WindowCache(std::string DisplayName, xcb_connection_t* Fallback)
    : DisplayName(std::move(DisplayName)), Fallback(Fallback) {}

TX11WindowCache::~TX11WindowCache() = default;

void TX11WindowCache::Open() {
    if (X != nullptr) {
        return;
    }
    Own.emplace(DisplayName.empty() ? nullptr : DisplayName.c_str());
    if (Own->Failed()) {
        qCWarning(PlatformLog) << "cannot open a second connection to the X display" << DisplayName.c_str()
                               << "- every window search reads every window";
        Own.reset();
        X = Fallback;
    } else {
        X = Own->Get();
        Watching = true;
    }
    RootWindow = FirstRoot(X);
    Interned = std::make_unique<TXcbAtoms>(X);
    if (Watching && QAbstractEventDispatcher::instance() != nullptr) {
        Readable = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(X), QSocketNotifier::Read);
        QObject::connect(Readable.get(), &QSocketNotifier::activated, Readable.get(),
                         [this] { TakeEvents(); });
    }
}

xcb_connection_t* TX11WindowCache::Connection() {
    Open();
    return X;
}

xcb_window_t TX11WindowCache::Root() {
    Open();
    return RootWindow;
}

const TXcbAtoms& TX11WindowCache::Atoms() {
    Open();
    return *Interned;
}

TX11WindowCache::TList TX11WindowCache::List() {
    xcb_connection_t* Connection = this->Connection();
    auto Check = WmCheck.Request(Connection, RootWindow, Interned->NetSupportingWmCheck);
    auto Stacking =
        RequestCardinals(Connection, RootWindow, Interned->NetClientListStacking, XCB_ATOM_WINDOW);
    auto Active = RequestCardinals(Connection, RootWindow, Interned->NetActiveWindow, XCB_ATOM_WINDOW);
    TList Result;
    Result.Managed = WmCheck.Running(Connection, Check, Interned->NetSupportingWmCheck);
    std::vector<std::uint32_t> BottomUp;
    if (Result.Managed) {
        BottomUp = CardinalsOf(Stacking, XCB_ATOM_WINDOW);
        if (BottomUp.empty()) {
            BottomUp = GetCardinals(Connection, RootWindow, Interned->NetClientList, XCB_ATOM_WINDOW);
        }
        const auto Named = CardinalsOf(Active, XCB_ATOM_WINDOW);
        Result.Active = Named.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Named.front();
    } else {
        BottomUp = RootChildren(Connection, RootWindow);
        Result.Active = InputFocus(Connection);
    }
    Result.TopFirst.assign(BottomUp.rbegin(), BottomUp.rend());
    return Result;
}

TWindowSnapshot TX11WindowCache::Snapshot() {
    const TList Listed = List();
    ReadChanged(Listed.TopFirst);
    TWindowSnapshot Result;
    Result.Windows.reserve(Listed.TopFirst.size());
    for (const xcb_window_t Window : Listed.TopFirst) {
        const auto Found = Known.find(Window);
        if (Found == Known.end()) {
            continue;  // gone while it was read
        }
        const TNames& Names = Found->second;
        Result.Windows.push_back(
            {.Handle = Window, .Title = Names.Title, .Instance = Names.Instance, .Class = Names.Class});
    }
    Result.Active = Listed.Active;
    return Result;
}

std::string TX11WindowCache::Title(xcb_window_t Window) {
    auto Requests = RequestNames(Window);
    return NamesOf(Requests).Title;
}

// The list's answer came after every event sent before it, so those are all in hand here.
void TX11WindowCache::ReadChanged(const std::vector<xcb_window_t>& TopFirst) {
    TakeEvents();
    std::vector<std::pair<xcb_window_t, TNameRequests>> Reading;
    for (const xcb_window_t Window : TopFirst) {
        const auto Found = Known.find(Window);
        if (Watching && Found != Known.end() && Found->second.Current) {
            continue;
        }
        // Watched before it is read: a change after the reading is told.
        Watch(Window, true);
        Reading.emplace_back(Window, RequestNames(Window));
    }
    for (auto& [Window, Requests] : Reading) {
        Known[Window] = NamesOf(Requests);
    }
    const std::unordered_set<xcb_window_t> Listed(TopFirst.begin(), TopFirst.end());
    std::erase_if(Known, [&Listed](const auto& Entry) { return !Listed.contains(Entry.first); });
    TakeEvents();
}

TX11WindowCache::TNameRequests TX11WindowCache::RequestNames(xcb_window_t Window) {
    xcb_connection_t* Connection = this->Connection();
    return {RequestBytes(Connection, Window, Interned->NetWmName),
            RequestBytes(Connection, Window, XCB_ATOM_WM_NAME),
            RequestBytes(Connection, Window, XCB_ATOM_WM_CLASS)};
}

// The title is _NET_WM_NAME (UTF-8), else WM_NAME; program names longer than a title are cut like one.
TX11WindowCache::TNames TX11WindowCache::NamesOf(TNameRequests& Requests) {
    xcb_atom_t Type = XCB_ATOM_NONE;
    std::string Title = BytesOf(Requests.NetWmName, &Type);
    if (Type != Interned->Utf8String || Title.empty()) {
        Title = BytesOf(Requests.WmName, &Type);
        if (Type == XCB_ATOM_STRING) {
            Title = Latin1ToUtf8(Title);
        }
    }
    TNames Names;
    Names.Title = CutTitle(std::move(Title), IDesktopWindows::MaxTitleBytes);
    std::tie(Names.Instance, Names.Class) = ClassNames(BytesOf(Requests.WmClass, &Type));
    Names.Instance = CutTitle(std::move(Names.Instance), IDesktopWindows::MaxTitleBytes);
    Names.Class = CutTitle(std::move(Names.Class), IDesktopWindows::MaxTitleBytes);
    Names.Current = true;
    return Names;
}

void TX11WindowCache::TakeEvents() {
    if (!Watching) {
        return;
    }
    while (const TXcbReply<xcb_generic_event_t> Event{xcb_poll_for_event(X)}) {
        Notice(*Event);
    }
    xcb_flush(X);
    // A display that went away leaves the socket readable for good.
    if (xcb_connection_has_error(X) != 0 && Readable && Readable->isEnabled()) {
        Readable->setEnabled(false);
    }
}

// A window that is destroyed is forgotten at once, since the server may give its id to a new window; so is
// one that was gone before it could be watched (the error of that request).
void TX11WindowCache::Notice(const xcb_generic_event_t& Event) {
    const std::uint8_t Kind = Event.response_type & 0x7F;
    if (Kind == XCB_DESTROY_NOTIFY) {
        Known.erase(reinterpret_cast<const xcb_destroy_notify_event_t&>(Event).window);
        return;
    }
    if (Kind == 0) {
        const auto& Error = reinterpret_cast<const xcb_generic_error_t&>(Event);
        if (Error.major_code == XCB_CHANGE_WINDOW_ATTRIBUTES) {
            Known.erase(Error.resource_id);
        }
        return;
    }
    if (Kind != XCB_PROPERTY_NOTIFY) {
        return;
    }
    const auto& Change = reinterpret_cast<const xcb_property_notify_event_t&>(Event);
    const auto Found = Known.find(Change.window);
    if (Found == Known.end()) {
        Watch(Change.window, false);
        return;
    }
    const bool Names = Change.atom == Interned->NetWmName || Change.atom == XCB_ATOM_WM_NAME ||
                       Change.atom == XCB_ATOM_WM_CLASS;
    if (Names && Found->second.Current) {
        Found->second.Current = false;
        Watch(Change.window, false);
    }
}

void TX11WindowCache::Watch(xcb_window_t Window, bool On) {
    if (!Watching) {
        return;
    }
    const std::uint32_t Mask =
        On ? XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY : XCB_EVENT_MASK_NO_EVENT;
    xcb_change_window_attributes(X, Window, XCB_CW_EVENT_MASK, &Mask);
}

}  // namespace tulma
