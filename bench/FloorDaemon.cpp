// The least a hotkey daemon can do on a press: one passive grab on the root window, and on the press one
// posix_spawn of the program, with no toolkit, lookups or bookkeeping in between. Its time in the
// launch benchmark is the floor that the X server's delivery and the kernel's start of the program
// set on the machine at hand.
//
// bench_floor_daemon KEYCODE PROGRAM ARGUMENT: Ctrl+Alt+KEYCODE starts PROGRAM ARGUMENT.
#include <signal.h>
#include <spawn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>

extern char** environ;

int main(int Argc, char** Argv) {
    if (Argc != 4) {
        std::fprintf(stderr, "usage: bench_floor_daemon KEYCODE PROGRAM ARGUMENT\n");
        return 2;
    }
    const auto Keycode = static_cast<xcb_keycode_t>(std::atoi(Argv[1]));
    char* const Arguments[] = {Argv[2], Argv[3], nullptr};
    // The started programs are reaped by the kernel.
    signal(SIGCHLD, SIG_IGN);
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> Connection(xcb_connect(nullptr, nullptr),
                                                                            &xcb_disconnect);
    if (xcb_connection_has_error(Connection.get()) != 0) {
        std::fprintf(stderr, "bench_floor_daemon: no X display\n");
        return 1;
    }
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(Connection.get())).data->root;
    const auto Modifiers = static_cast<std::uint16_t>(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1);
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> Refused(
            xcb_request_check(Connection.get(),
                              xcb_grab_key_checked(Connection.get(), 0, Root, Modifiers, Keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
            &std::free);
        Refused) {
        std::fprintf(stderr, "bench_floor_daemon: the grab was refused\n");
        return 1;
    }
    while (xcb_generic_event_t* Event = xcb_wait_for_event(Connection.get())) {
        if ((Event->response_type & 0x7F) == XCB_KEY_PRESS) {
            pid_t Pid = -1;
            posix_spawn(&Pid, Arguments[0], nullptr, nullptr, Arguments, environ);
        }
        std::free(Event);
    }
    return 0;
}
