#include "X11DesktopWindows.h"

#include <algorithm>
#include <tuple>

#include "PlatformLog.h"
#include "WindowTitle.h"
#include "XcbWindowRequests.h"

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
    : Connection(Connection), Root(FirstRoot(Connection)), Atoms(Connection), UserTime(std::move(UserTime)) {}

bool TX11DesktopWindows::HasWindowManager() {
    return WindowManagerRunning(Connection, Root, Atoms.NetSupportingWmCheck);
}

std::vector<TWindowHandle> TX11DesktopWindows::TopLevelWindows() {
    auto RootCheck = RequestCardinals(Connection, Root, Atoms.NetSupportingWmCheck, XCB_ATOM_WINDOW);
    auto Stacking = RequestCardinals(Connection, Root, Atoms.NetClientListStacking, XCB_ATOM_WINDOW);
    const bool Managed = WindowManagerRunning(Connection, RootCheck, Atoms.NetSupportingWmCheck);
    const std::vector<xcb_window_t> TopFirst = StackingTopFirst(Managed, Stacking);
    return {TopFirst.begin(), TopFirst.end()};
}

std::vector<xcb_window_t> TX11DesktopWindows::StackingTopFirst(bool Managed, TDeferredProperty& Stacking) {
    std::vector<std::uint32_t> BottomUp;
    if (Managed) {
        BottomUp = CardinalsOf(Stacking, XCB_ATOM_WINDOW);
        if (BottomUp.empty()) {
            BottomUp = GetCardinals(Connection, Root, Atoms.NetClientList, XCB_ATOM_WINDOW);
        }
    } else {
        BottomUp = RootChildren(Connection, Root);
    }
    return {BottomUp.rbegin(), BottomUp.rend()};
}

TX11DesktopWindows::TTitleRequests TX11DesktopWindows::RequestTitle(xcb_window_t Window) {
    return {RequestBytes(Connection, Window, Atoms.NetWmName),
            RequestBytes(Connection, Window, XCB_ATOM_WM_NAME)};
}

std::string TX11DesktopWindows::TitleOf(TTitleRequests& Requests) {
    xcb_atom_t Type = XCB_ATOM_NONE;
    std::string Title = BytesOf(Requests.NetWmName, &Type);
    if (Type != Atoms.Utf8String || Title.empty()) {
        Title = BytesOf(Requests.WmName, &Type);
        if (Type == XCB_ATOM_STRING) {
            Title = Latin1ToUtf8(Title);
        }
    }
    return CutTitle(std::move(Title), MaxTitleBytes);
}

std::string TX11DesktopWindows::WindowTitle(TWindowHandle Window) {
    auto Requests = RequestTitle(static_cast<xcb_window_t>(Window));
    return TitleOf(Requests);
}

TWindowSnapshot TX11DesktopWindows::Snapshot() {
    auto RootCheck = RequestCardinals(Connection, Root, Atoms.NetSupportingWmCheck, XCB_ATOM_WINDOW);
    auto Stacking = RequestCardinals(Connection, Root, Atoms.NetClientListStacking, XCB_ATOM_WINDOW);
    auto Active = RequestCardinals(Connection, Root, Atoms.NetActiveWindow, XCB_ATOM_WINDOW);
    const bool Managed = WindowManagerRunning(Connection, RootCheck, Atoms.NetSupportingWmCheck);
    const std::vector<xcb_window_t> TopFirst = StackingTopFirst(Managed, Stacking);

    // Every question goes out before the first answer is read: one round trip for all windows.
    struct TPending {
        TTitleRequests Title;
        TDeferredProperty ClassNames;
    };
    std::vector<TPending> Requests;
    Requests.reserve(TopFirst.size());
    for (const xcb_window_t Window : TopFirst) {
        Requests.push_back({RequestTitle(Window), RequestBytes(Connection, Window, XCB_ATOM_WM_CLASS)});
    }

    TWindowSnapshot Result;
    Result.Windows.reserve(TopFirst.size());
    for (std::size_t I = 0; I < TopFirst.size(); ++I) {
        TWindowInfo Window{
            .Handle = TopFirst[I], .Title = TitleOf(Requests[I].Title), .Instance = {}, .Class = {}};
        xcb_atom_t Type = XCB_ATOM_NONE;
        std::tie(Window.Instance, Window.Class) = ClassNames(BytesOf(Requests[I].ClassNames, &Type));
        Result.Windows.push_back(std::move(Window));
    }
    Result.Active = Managed ? FirstOr(CardinalsOf(Active, XCB_ATOM_WINDOW), 0) : InputFocus(Connection);
    return Result;
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

// The questions go out together, so that a window search's activation waits for two round trips, not four.
void TX11DesktopWindows::RestoreAndActivate(TWindowHandle Window) {
    const auto Id = static_cast<xcb_window_t>(Window);
    auto AttributesRequest = RequestWindowAttributes(Connection, Id);
    auto RootCheck = RequestCardinals(Connection, Root, Atoms.NetSupportingWmCheck, XCB_ATOM_WINDOW);
    auto Active = RequestCardinals(Connection, Root, Atoms.NetActiveWindow, XCB_ATOM_WINDOW);
    const auto Attributes = AttributesRequest.Take();
    if (!Attributes) {
        return;
    }
    const bool Mapped = Attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    if (WindowManagerRunning(Connection, RootCheck, Atoms.NetSupportingWmCheck)) {
        RestoreManaged(Id, Mapped, FirstOr(CardinalsOf(Active, XCB_ATOM_WINDOW), XCB_WINDOW_NONE));
    } else {
        RestoreUnmanaged(Id);
    }
    xcb_flush(Connection);
}

std::uint32_t TX11DesktopWindows::IcccmState(xcb_window_t Window) {
    const auto State = GetCardinals(Connection, Window, Atoms.WmState, Atoms.WmState);
    return State.empty() ? IcccmWithdrawn : State[0];
}

void TX11DesktopWindows::RestoreManaged(xcb_window_t Window, bool Mapped, xcb_window_t Active) {
    // Mapping an iconic or withdrawn window asks the window manager to show it normally again.
    if (!Mapped) {
        const std::uint32_t State = IcccmState(Window);
        if (State == IcccmIconic || State == IcccmWithdrawn) {
            xcb_map_window(Connection, Window);
        }
    }
    SendToRoot(Connection, Root, Window, Atoms.NetWmState, NetWmStateRemove, Atoms.NetWmStateMaximizedVert,
               Atoms.NetWmStateMaximizedHorz, SourcePager);
    SendToRoot(Connection, Root, Window, Atoms.NetWmState, NetWmStateRemove, Atoms.NetWmStateHidden, 0,
               SourcePager);
    const xcb_timestamp_t Time = UserTime ? UserTime() : xcb_timestamp_t{XCB_CURRENT_TIME};
    RequestActivation(Connection, Root, Atoms.NetActiveWindow, Window, Time, Active);
    RaiseWindow(Connection, Window);
}

void TX11DesktopWindows::RestoreUnmanaged(xcb_window_t Window) {
    xcb_map_window(Connection, Window);
    RaiseWindow(Connection, Window);
    // The window may be an InputOnly helper or vanish meanwhile.
    SetInputFocus(Connection, Window, UserTime ? UserTime() : xcb_timestamp_t{XCB_CURRENT_TIME});
}

}  // namespace tulma
