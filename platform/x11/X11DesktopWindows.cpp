#include "X11DesktopWindows.h"

#include <algorithm>
#include <cstdlib>

#include "PlatformLog.h"

namespace tulma {

namespace {

std::uint32_t FirstOr(const std::vector<std::uint32_t>& Values, std::uint32_t Otherwise) {
    return Values.empty() ? Otherwise : Values.front();
}

}  // namespace

std::pair<std::string, std::string> ClassNames(const std::string& Property) {
    const std::size_t End = Property.find('\0');
    const std::string Instance = Property.substr(0, End);
    std::string Class;
    if (End != std::string::npos) {
        Class = Property.substr(End + 1);
        Class.resize(std::min(Class.size(), Class.find('\0')));
    }
    return {Latin1ToUtf8(Instance), Latin1ToUtf8(Class)};
}

std::string Latin1ToUtf8(const std::string& Text) {
    std::string Result;
    Result.reserve(Text.size());
    for (char C : Text) {
        const auto Byte = static_cast<unsigned char>(C);
        if (Byte < 0x80) {
            Result += C;
        } else {
            Result += static_cast<char>(0xC0 | (Byte >> 6));
            Result += static_cast<char>(0x80 | (Byte & 0x3F));
        }
    }
    return Result;
}

TX11DesktopWindows::TX11DesktopWindows(xcb_connection_t* Connection, TTimeSource UserTime)
    : Cache(std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "", Connection),
      UserTime(std::move(UserTime)) {}

bool TX11DesktopWindows::HasWindowManager() {
    return Cache.List().Managed;
}

std::vector<TWindowHandle> TX11DesktopWindows::TopLevelWindows() {
    const std::vector<xcb_window_t> TopFirst = Cache.List().TopFirst;
    return {TopFirst.begin(), TopFirst.end()};
}

std::string TX11DesktopWindows::WindowTitle(TWindowHandle Window) {
    return Cache.Title(static_cast<xcb_window_t>(Window));
}

TWindowSnapshot TX11DesktopWindows::Snapshot() {
    return Cache.Snapshot();
}

void TX11DesktopWindows::SearchDone(const std::string& Text, const TWindowInfo* Chosen) {
    if (Chosen == nullptr) {
        qCDebug(PlatformLog) << "window search" << Text.c_str() << "matches nothing";
    } else {
        qCDebug(PlatformLog).nospace()
            << "window search " << Text.c_str() << " chose 0x" << Qt::hex << Chosen->Handle << " "
            << Chosen->Instance.c_str() << "." << Chosen->Class.c_str() << " " << Chosen->Title.c_str();
    }
}

// The questions go out together, so that a window search's activation waits for one round trip.
void TX11DesktopWindows::RestoreAndActivate(TWindowHandle Window) {
    const auto Id = static_cast<xcb_window_t>(Window);
    xcb_connection_t* Connection = Cache.Connection();
    const TXcbAtoms& Atoms = Cache.Atoms();
    auto AttributesRequest = RequestWindowAttributes(Connection, Id);
    auto States = RequestCardinals(Connection, Id, Atoms.NetWmState, XCB_ATOM_ATOM);
    auto Check = WmCheck.Request(Connection, Cache.Root(), Atoms.NetSupportingWmCheck);
    auto Active = RequestCardinals(Connection, Cache.Root(), Atoms.NetActiveWindow, XCB_ATOM_WINDOW);
    const auto Attributes = AttributesRequest.Take();
    if (!Attributes) {
        return;
    }
    const bool Mapped = Attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    if (WmCheck.Running(Connection, Check, Atoms.NetSupportingWmCheck)) {
        RestoreManaged(Id, Mapped, FirstOr(CardinalsOf(Active, XCB_ATOM_WINDOW), XCB_WINDOW_NONE),
                       CardinalsOf(States, XCB_ATOM_ATOM));
    } else {
        RestoreUnmanaged(Id);
    }
    xcb_flush(Connection);
}

std::uint32_t TX11DesktopWindows::IcccmState(xcb_window_t Window) {
    const xcb_atom_t WmState = Cache.Atoms().WmState;
    const auto State = GetCardinals(Cache.Connection(), Window, WmState, WmState);
    return State.empty() ? IcccmWithdrawn : State[0];
}

// Only the states the window has are taken back: the window manager rewrites the window's state for each
// such message before it gets to the activation, which held the activation up by about half a millisecond
// among 500 windows under openbox.
void TX11DesktopWindows::RestoreManaged(xcb_window_t Window, bool Mapped, xcb_window_t Active,
                                        const std::vector<std::uint32_t>& States) {
    xcb_connection_t* Connection = Cache.Connection();
    const xcb_window_t Root = Cache.Root();
    const TXcbAtoms& Atoms = Cache.Atoms();
    // Mapping an iconic or withdrawn window asks the window manager to show it normally again.
    if (!Mapped) {
        const std::uint32_t State = IcccmState(Window);
        if (State == IcccmIconic || State == IcccmWithdrawn) {
            xcb_map_window(Connection, Window);
        }
    }
    const auto Has = [&States](xcb_atom_t State) { return std::ranges::find(States, State) != States.end(); };
    if (Has(Atoms.NetWmStateMaximizedVert) || Has(Atoms.NetWmStateMaximizedHorz)) {
        SendToRoot(Connection, Root, Window, Atoms.NetWmState, NetWmStateRemove,
                   Atoms.NetWmStateMaximizedVert, Atoms.NetWmStateMaximizedHorz, SourcePager);
    }
    if (Has(Atoms.NetWmStateHidden)) {
        SendToRoot(Connection, Root, Window, Atoms.NetWmState, NetWmStateRemove, Atoms.NetWmStateHidden, 0,
                   SourcePager);
    }
    const xcb_timestamp_t Time = UserTime ? UserTime() : xcb_timestamp_t{XCB_CURRENT_TIME};
    RequestActivation(Connection, Root, Atoms.NetActiveWindow, Window, Time, Active);
    RaiseWindow(Connection, Window);
}

void TX11DesktopWindows::RestoreUnmanaged(xcb_window_t Window) {
    xcb_connection_t* Connection = Cache.Connection();
    xcb_map_window(Connection, Window);
    RaiseWindow(Connection, Window);
    // The window may be an InputOnly helper or vanish meanwhile.
    SetInputFocus(Connection, Window, UserTime ? UserTime() : xcb_timestamp_t{XCB_CURRENT_TIME});
}

}  // namespace tulma
