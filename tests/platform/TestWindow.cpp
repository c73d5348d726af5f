// A plain top-level X window for tests: title from the first argument, _NET_WM_PID set, lives until its
// display goes away or it is killed. Options after the title: --legacy puts the title only in WM_NAME, as
// the Latin-1 bytes given; --class INSTANCE CLASS sets WM_CLASS (testwindow, TestWindow by default).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <xcb/xcb.h>

#include "XcbConnection.h"
#include "XcbWindowText.h"

using tulma::InternAtom;
using tulma::test::SetText;

int main(int argc, char** argv) {
    const std::string Title = argc > 1 ? argv[1] : "Test window";
    bool Legacy = false;
    std::string Instance = "testwindow";
    std::string Class = "TestWindow";
    for (int I = 2; I < argc; ++I) {
        const std::string Option = argv[I];
        if (Option == "--legacy") {
            Legacy = true;
        } else if (Option == "--class" && I + 2 < argc) {
            Instance = argv[++I];
            Class = argv[++I];
        }
    }
    const tulma::TXcbConnection Owned;
    if (Owned.Failed()) {
        return 1;
    }
    xcb_connection_t* Connection = Owned.Get();
    xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
    const xcb_window_t Window = xcb_generate_id(Connection);
    const std::uint32_t Values[] = {Screen->white_pixel,
                                    XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_FOCUS_CHANGE};
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, Window, Screen->root, 40, 40, 320, 200, 1,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, Screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, Values);
    SetText(Connection, Window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, Title);
    if (!Legacy) {
        SetText(Connection, Window, InternAtom(Connection, "_NET_WM_NAME"),
                InternAtom(Connection, "UTF8_STRING"), Title);
    }
    SetText(Connection, Window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, Instance + '\0' + Class + '\0');
    char Host[256] = {};
    gethostname(Host, sizeof Host - 1);
    SetText(Connection, Window, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, Host);
    const std::uint32_t Pid = static_cast<std::uint32_t>(getpid());
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Window, InternAtom(Connection, "_NET_WM_PID"),
                        XCB_ATOM_CARDINAL, 32, 1, &Pid);
    xcb_map_window(Connection, Window);
    xcb_flush(Connection);
    while (xcb_generic_event_t* Event = xcb_wait_for_event(Connection)) {
        std::free(Event);
    }
    return 0;
}
