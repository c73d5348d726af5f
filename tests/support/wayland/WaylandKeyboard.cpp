#include "WaylandKeyboard.h"

#include <wayland-client.h>

#include <cstring>
#include <stdexcept>

#include "fake-input-client-protocol.h"

namespace tulma::test {
namespace {

constexpr std::uint32_t Pressed = 1;
constexpr std::uint32_t Released = 0;

void Announce(void* Data, wl_registry* Registry, std::uint32_t Name, const char* Interface,
              std::uint32_t Version) {
    if (std::strcmp(Interface, org_kde_kwin_fake_input_interface.name) == 0 && Version >= 4) {
        *static_cast<org_kde_kwin_fake_input**>(Data) = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(Registry, Name, &org_kde_kwin_fake_input_interface, 4));
    }
}

void Withdraw(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener RegistryListener{Announce, Withdraw};

}  // namespace

WaylandKeyboard::WaylandKeyboard() : Display(wl_display_connect(nullptr)) {
    if (Display == nullptr) {
        throw std::runtime_error("cannot connect to the Wayland display");
    }
    Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, &FakeInput);
    wl_display_roundtrip(Display);
    if (FakeInput == nullptr) {
        wl_registry_destroy(Registry);
        wl_display_disconnect(Display);
        throw std::runtime_error("the compositor offers no org_kde_kwin_fake_input version 4");
    }
    org_kde_kwin_fake_input_authenticate(FakeInput, "tulma tests", "key presses for tests");
}

WaylandKeyboard::~WaylandKeyboard() {
    org_kde_kwin_fake_input_destroy(FakeInput);
    wl_registry_destroy(Registry);
    wl_display_disconnect(Display);
}

void WaylandKeyboard::Press(std::uint32_t Code) {
    org_kde_kwin_fake_input_keyboard_key(FakeInput, Code, Pressed);
}

void WaylandKeyboard::Release(std::uint32_t Code) {
    org_kde_kwin_fake_input_keyboard_key(FakeInput, Code, Released);
}

void WaylandKeyboard::Flush() {
    wl_display_flush(Display);
}

void WaylandKeyboard::Sync() {
    wl_display_roundtrip(Display);
}

}  // namespace tulma::test
