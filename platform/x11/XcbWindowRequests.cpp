#include "XcbWindowRequests.h"

#include <cstring>
#include <utility>

namespace tulma {

namespace {

// Long enough for any client list or title that matters; longer values are read only this far.
constexpr std::uint32_t MaxPropertyWords = 65536;

// A window that has gone meanwhile simply has no properties: its error is dropped.
TDeferredProperty RequestProperty(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property,
                                  xcb_atom_t Type) {
    return TDeferredProperty(Connection,
                             xcb_get_property(Connection, 0, Window, Property, Type, 0, MaxPropertyWords),
                             xcb_get_property_reply);
}

}  // namespace

TDeferredProperty RequestCardinals(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property,
                                   xcb_atom_t Type) {
    return RequestProperty(Connection, Window, Property, Type);
}

std::vector<std::uint32_t> CardinalsOf(TDeferredProperty& Request, xcb_atom_t Type) {
    auto Reply = Request.Take();
    if (!Reply || Reply->format != 32 || Reply->type != Type) {
        return {};
    }
    const auto* Data = static_cast<const std::uint32_t*>(xcb_get_property_value(Reply.get()));
    const int Count = xcb_get_property_value_length(Reply.get()) / 4;
    return std::vector<std::uint32_t>(Data, Data + Count);
}

std::vector<std::uint32_t> GetCardinals(xcb_connection_t* Connection, xcb_window_t Window,
                                        xcb_atom_t Property, xcb_atom_t Type) {
    auto Request = RequestCardinals(Connection, Window, Property, Type);
    return CardinalsOf(Request, Type);
}

TDeferredProperty RequestBytes(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property) {
    return RequestProperty(Connection, Window, Property, XCB_GET_PROPERTY_TYPE_ANY);
}

std::string BytesOf(TDeferredProperty& Request, xcb_atom_t* Type) {
    auto Reply = Request.Take();
    if (!Reply || Reply->format != 8) {
        *Type = XCB_ATOM_NONE;
        return {};
    }
    *Type = Reply->type;
    const auto* Data = static_cast<const char*>(xcb_get_property_value(Reply.get()));
    return std::string(Data, static_cast<std::size_t>(xcb_get_property_value_length(Reply.get())));
}

bool WindowManagerRunning(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t SupportingWmCheck) {
    auto Request = RequestCardinals(Connection, Root, SupportingWmCheck, XCB_ATOM_WINDOW);
    return WindowManagerRunning(Connection, Request, SupportingWmCheck);
}

bool WindowManagerRunning(xcb_connection_t* Connection, TDeferredProperty& RootCheck,
                          xcb_atom_t SupportingWmCheck) {
    TWindowManagerCheck::TRequests Requests{std::move(RootCheck), XCB_WINDOW_NONE, std::nullopt};
    return TWindowManagerCheck().Running(Connection, Requests, SupportingWmCheck);
}

TWindowManagerCheck::TRequests TWindowManagerCheck::Request(xcb_connection_t* Connection, xcb_window_t Root,
                                                            xcb_atom_t SupportingWmCheck) const {
    TRequests Requests{RequestCardinals(Connection, Root, SupportingWmCheck, XCB_ATOM_WINDOW), Known,
                       std::nullopt};
    if (Known != XCB_WINDOW_NONE) {
        Requests.KnownCheck.emplace(RequestCardinals(Connection, Known, SupportingWmCheck, XCB_ATOM_WINDOW));
    }
    return Requests;
}

bool TWindowManagerCheck::Running(xcb_connection_t* Connection, TRequests& Requests,
                                  xcb_atom_t SupportingWmCheck) {
    const auto Check = CardinalsOf(Requests.RootCheck, XCB_ATOM_WINDOW);
    Known = Check.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Check[0];
    if (Known == XCB_WINDOW_NONE) {
        return false;
    }
    const auto Self = Requests.KnownCheck && Requests.Known == Known
                          ? CardinalsOf(*Requests.KnownCheck, XCB_ATOM_WINDOW)
                          : GetCardinals(Connection, Known, SupportingWmCheck, XCB_ATOM_WINDOW);
    return !Self.empty() && Self[0] == Known;
}

TDeferredAttributes RequestWindowAttributes(xcb_connection_t* Connection, xcb_window_t Window) {
    return {Connection, xcb_get_window_attributes(Connection, Window), xcb_get_window_attributes_reply};
}

TXcbReply<xcb_get_window_attributes_reply_t> WindowAttributes(xcb_connection_t* Connection,
                                                              xcb_window_t Window) {
    return RequestWindowAttributes(Connection, Window).Take();
}

xcb_window_t FirstRoot(xcb_connection_t* Connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(Connection)).data->root;
}

void SendToRoot(xcb_connection_t* Connection, xcb_window_t Root, xcb_window_t Window, xcb_atom_t Type,
                std::uint32_t D0, std::uint32_t D1, std::uint32_t D2, std::uint32_t D3, std::uint32_t D4) {
    xcb_client_message_event_t Event;
    std::memset(&Event, 0, sizeof Event);
    Event.response_type = XCB_CLIENT_MESSAGE;
    Event.format = 32;
    Event.window = Window;
    Event.type = Type;
    Event.data.data32[0] = D0;
    Event.data.data32[1] = D1;
    Event.data.data32[2] = D2;
    Event.data.data32[3] = D3;
    Event.data.data32[4] = D4;
    xcb_send_event(Connection, 0, Root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&Event));
}

std::vector<std::uint32_t> RootChildren(xcb_connection_t* Connection, xcb_window_t Root) {
    const TXcbReply<xcb_query_tree_reply_t> Tree(
        xcb_query_tree_reply(Connection, xcb_query_tree(Connection, Root), nullptr));
    if (!Tree) {
        return {};
    }
    const xcb_window_t* Children = xcb_query_tree_children(Tree.get());
    return std::vector<std::uint32_t>(Children, Children + xcb_query_tree_children_length(Tree.get()));
}

xcb_window_t ActiveWindowOf(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t NetActiveWindow) {
    const auto Active = GetCardinals(Connection, Root, NetActiveWindow, XCB_ATOM_WINDOW);
    return Active.empty() ? xcb_window_t{XCB_WINDOW_NONE} : Active[0];
}

void RequestActivation(xcb_connection_t* Connection, xcb_window_t Root, xcb_atom_t NetActiveWindow,
                       xcb_window_t Window, xcb_timestamp_t Time, xcb_window_t Current) {
    SendToRoot(Connection, Root, Window, NetActiveWindow, SourcePager, Time, Current);
}

void RaiseWindow(xcb_connection_t* Connection, xcb_window_t Window) {
    const std::uint32_t Above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(Connection, Window, XCB_CONFIG_WINDOW_STACK_MODE, &Above);
}

xcb_window_t InputFocus(xcb_connection_t* Connection) {
    const TXcbReply<xcb_get_input_focus_reply_t> Focus(
        xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
    return Focus ? Focus->focus : xcb_window_t{XCB_WINDOW_NONE};
}

void SetInputFocus(xcb_connection_t* Connection, xcb_window_t Window, xcb_timestamp_t Time) {
    const TXcbReply<xcb_generic_error_t> Error(xcb_request_check(
        Connection, xcb_set_input_focus_checked(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, Window, Time)));
}

}  // namespace tulma
