// Presses keys on a KWin Wayland desktop as a keyboard would: the compositor, not a client, sees them,
// so global shortcuts fire.
//   tulma_fake_keys [--hold MS] CODE...   evdev key codes, pressed in order and released in reverse
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <thread>
#include <vector>

#include "WaylandKeyboard.h"

int main(int Argc, char** Argv) {
    int HoldMs = 0;
    std::vector<std::uint32_t> Codes;
    for (int I = 1; I < Argc; ++I) {
        if (std::strcmp(Argv[I], "--hold") == 0 && I + 1 < Argc) {
            HoldMs = std::atoi(Argv[++I]);
        } else {
            Codes.push_back(static_cast<std::uint32_t>(std::strtoul(Argv[I], nullptr, 10)));
        }
    }
    if (Codes.empty()) {
        std::fprintf(stderr, "usage: tulma_fake_keys [--hold MS] CODE...\n");
        return 2;
    }
    try {
        tulma::test::WaylandKeyboard Keyboard;
        for (const std::uint32_t Code : Codes) {
            Keyboard.Press(Code);
        }
        Keyboard.Sync();
        std::this_thread::sleep_for(std::chrono::milliseconds(HoldMs));
        for (auto Code = Codes.rbegin(); Code != Codes.rend(); ++Code) {
            Keyboard.Release(*Code);
        }
        Keyboard.Sync();
    } catch (const std::exception& Error) {
        std::fprintf(stderr, "tulma_fake_keys: %s\n", Error.what());
        return 1;
    }
    return 0;
}
