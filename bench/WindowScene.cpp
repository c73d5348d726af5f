#include "WindowScene.h"

#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "LaunchRecord.h"
#include "XcbWindowRequests.h"

namespace tulma::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t SourcePager = 2;

std::string TextProperty(xcb_connection_t* Connection, xcb_window_t Window, xcb_atom_t Property) {
    xcb_get_property_reply_t* Reply = xcb_get_property_reply(
        Connection, xcb_get_property(Connection, 0, Window, Property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
        nullptr);
    std::string Text;
    if (Reply != nullptr) {
        Text.assign(static_cast<const char*>(xcb_get_property_value(Reply)),
                    static_cast<std::size_t>(xcb_get_property_value_length(Reply)));
    }
    std::free(Reply);
    return Text;
}

template <class TCondition>
bool WaitFor(TCondition Condition, int TimeoutMs) {
    const auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Condition()) {
        if (Clock::now() > Deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

TWindowScene::TWindowScene(int Count, std::string TargetTitle) : Title(std::move(TargetTitle)) {
    Display.Start(true);
    Client = test::StartProgram({BENCH_MANY_WINDOWS, std::to_string(Count), Title});
    const bool AllManaged = WaitFor(
        [&] {
            return test::WindowProperty(Display.Connection(), Display.Root(), "_NET_CLIENT_LIST",
                                        XCB_ATOM_WINDOW)
                       .size() >= static_cast<std::size_t>(Count);
        },
        120000);
    if (!AllManaged) {
        throw std::runtime_error("the window manager did not take on " + std::to_string(Count) + " windows");
    }
    FindWindows(Count);
    NetActiveWindow = InternAtom(Display.Connection(), "_NET_ACTIVE_WINDOW");
    Watch = xcb_connect(Display.DisplayName().c_str(), nullptr);
    const std::uint32_t Mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(Watch, Display.Root(), XCB_CW_EVENT_MASK, &Mask);
    xcb_flush(Watch);
}

TWindowScene::~TWindowScene() {
    if (Watch != nullptr) {
        xcb_disconnect(Watch);
    }
    if (Client > 0) {
        test::Terminate(Client);
    }
    Display.Stop();
}

void TWindowScene::FindWindows(int Count) {
    xcb_connection_t* Connection = Display.Connection();
    const xcb_atom_t NetWmName = InternAtom(Connection, "_NET_WM_NAME");
    for (const std::uint32_t Window :
         test::WindowProperty(Connection, Display.Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
        if (TextProperty(Connection, Window, NetWmName) == Title) {
            TargetWindow = Window;
        } else if (Other == XCB_WINDOW_NONE) {
            Other = Window;
        }
    }
    if (TargetWindow == XCB_WINDOW_NONE || Other == XCB_WINDOW_NONE) {
        throw std::runtime_error("the target among " + std::to_string(Count) + " windows is missing");
    }
}

xcb_window_t TWindowScene::Active() {
    return test::ActiveWindow(Display.Connection());
}

bool TWindowScene::TargetAtBottom() {
    const auto Stacking = test::WindowProperty(Display.Connection(), Display.Root(),
                                               "_NET_CLIENT_LIST_STACKING", XCB_ATOM_WINDOW);
    return !Stacking.empty() && Stacking.front() == TargetWindow;
}

void TWindowScene::Reset() {
    xcb_connection_t* Connection = Display.Connection();
    SendToRoot(Connection, Display.Root(), Other, NetActiveWindow, SourcePager, XCB_CURRENT_TIME);
    const std::uint32_t Below = XCB_STACK_MODE_BELOW;
    xcb_configure_window(Connection, TargetWindow, XCB_CONFIG_WINDOW_STACK_MODE, &Below);
    xcb_flush(Connection);
    if (!WaitFor([this] { return Active() == Other && TargetAtBottom(); }, 5000)) {
        throw std::runtime_error("cannot put the target window back to the bottom");
    }
    while (xcb_generic_event_t* Stale = xcb_poll_for_event(Watch)) {
        std::free(Stale);
    }
}

std::int64_t TWindowScene::WaitUntilTargetActive(int TimeoutMs) {
    const auto Deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    for (;;) {
        while (xcb_generic_event_t* Event = xcb_poll_for_event(Watch)) {
            const bool ActiveChanged =
                (Event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                reinterpret_cast<const xcb_property_notify_event_t*>(Event)->atom == NetActiveWindow;
            std::free(Event);
            const std::int64_t Seen = MonotonicNs();
            if (ActiveChanged && Active() == TargetWindow) {
                return Seen;
            }
        }
        const auto Left =
            std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
        if (Left <= 0) {
            throw std::runtime_error("the target window did not become active");
        }
        pollfd Wait{xcb_get_file_descriptor(Watch), POLLIN, 0};
        poll(&Wait, 1, static_cast<int>(Left));
    }
}

}  // namespace tulma::bench
