// A client with many titled top-level windows for the window-search benchmark: Count - 1 windows
// titled "Filler window N" and, mapped last, one window with the given title. Lives until its display
// goes away or it is killed.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <xcb/xcb.h>

#include "XcbWindowText.h"

namespace {

using tulma::InternAtom;
using tulma::test::SetText;

// A position of the program's choosing, so that the window manager places nothing.
void SetPosition(xcb_connection_t* Connection, xcb_window_t Window) {
    std::uint32_t Hints[18] = {};
    Hints[0] = 1 | 4;  // USPosition | PPosition
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, Hints);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    const int Count = std::atoi(argv[1]);
    const std::string Target = argv[2];
    xcb_connection_t* Connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(Connection)) {
        return 1;
    }
    xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
    const xcb_atom_t NetWmName = InternAtom(Connection, "_NET_WM_NAME");
    const xcb_atom_t Utf8 = InternAtom(Connection, "UTF8_STRING");
    const xcb_atom_t NetWmPid = InternAtom(Connection, "_NET_WM_PID");
    const auto Pid = static_cast<std::uint32_t>(getpid());
    for (int I = 0; I < Count; ++I) {
        const std::string Title = I + 1 < Count ? "Filler window " + std::to_string(I) : Target;
        const xcb_window_t Window = xcb_generate_id(Connection);
        const std::uint32_t Values[] = {Screen->white_pixel};
        const auto X = static_cast<std::int16_t>(20 + (I * 37) % 900);
        const auto Y = static_cast<std::int16_t>(20 + (I * 53) % 700);
        xcb_create_window(Connection, XCB_COPY_FROM_PARENT, Window, Screen->root, X, Y, 240, 120, 1,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual, XCB_CW_BACK_PIXEL, Values);
        SetText(Connection, Window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, Title);
        SetText(Connection, Window, NetWmName, Utf8, Title);
        SetText(Connection, Window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                std::string("many\0ManyWindows\0", 17));
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Window, NetWmPid, XCB_ATOM_CARDINAL, 32, 1,
                            &Pid);
        SetPosition(Connection, Window);
        xcb_map_window(Connection, Window);
    }
    xcb_flush(Connection);
    while (xcb_generic_event_t* Event = xcb_wait_for_event(Connection)) {
        std::free(Event);
    }
    xcb_disconnect(Connection);
    return 0;
}
