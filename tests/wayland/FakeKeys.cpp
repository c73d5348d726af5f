// Presses keys on a KWin Wayland desktop through its fake-input protocol, as a keyboard would: the
// compositor, not a client, sees them, so global shortcuts fire.
//   tulma_fake_keys [--hold MS] CODE...   evdev key codes, pressed in order and released in reverse
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "fake-input-client-protocol.h"

namespace {

constexpr std::uint32_t Pressed = 1;
constexpr std::uint32_t Released = 0;

struct Globals {
    org_kde_kwin_fake_input* FakeInput = nullptr;
};

void Announce(void* Data, wl_registry* Registry, std::uint32_t Name, const char* Interface,
              std::uint32_t Version) {
    if (std::strcmp(Interface, org_kde_kwin_fake_input_interface.name) == 0 && Version >= 4) {
        static_cast<Globals*>(Data)->FakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(Registry, Name, &org_kde_kwin_fake_input_interface, 4));
    }
}

void Withdraw(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener RegistryListener{Announce, Withdraw};

int Fail(const char* Reason) {
    std::fprintf(stderr, "tulma_fake_keys: %s\n", Reason);
    return 1;
}

}  // namespace

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
        return Fail("usage: tulma_fake_keys [--hold MS] CODE...");
    }
    wl_display* Display = wl_display_connect(nullptr);
    if (Display == nullptr) {
        return Fail("cannot connect to the Wayland display");
    }
    Globals Found;
    wl_registry* Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, &Found);
    wl_display_roundtrip(Display);
    if (Found.FakeInput == nullptr) {
        wl_display_disconnect(Display);
        return Fail("the compositor offers no org_kde_kwin_fake_input version 4");
    }
    org_kde_kwin_fake_input_authenticate(Found.FakeInput, "tulma tests", "key presses for tests");
    for (const std::uint32_t Code : Codes) {
        org_kde_kwin_fake_input_keyboard_key(Found.FakeInput, Code, Pressed);
    }
    wl_display_roundtrip(Display);
    std::this_thread::sleep_for(std::chrono::milliseconds(HoldMs));
    for (auto Code = Codes.rbegin(); Code != Codes.rend(); ++Code) {
        org_kde_kwin_fake_input_keyboard_key(Found.FakeInput, *Code, Released);
    }
    wl_display_roundtrip(Display);
    org_kde_kwin_fake_input_destroy(Found.FakeInput);
    wl_registry_destroy(Registry);
    wl_display_disconnect(Display);
    return 0;
}
