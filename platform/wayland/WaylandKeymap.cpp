#include "WaylandKeymap.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "FileDescriptor.h"

namespace tulma {
namespace {

// Columns as in X11's core mapping: first group unshifted and shifted, then the second group.
constexpr int Columns = 4;

TKeysym SymAt(xkb_keymap* Keymap, xkb_keycode_t Code, xkb_layout_index_t Group, xkb_level_index_t Level) {
    if (Group >= xkb_keymap_num_layouts_for_key(Keymap, Code)) {
        return 0;
    }
    const xkb_keysym_t* Syms = nullptr;
    return xkb_keymap_key_get_syms_by_level(Keymap, Code, Group, Level, &Syms) > 0 ? Syms[0] : 0;
}

}  // namespace

TKeyboardLayout KeyboardLayoutOf(xkb_keymap* Keymap) {
    // Keycodes beyond 255 exist in no key event that reaches a virtual-key code.
    const xkb_keycode_t First = std::max<xkb_keycode_t>(xkb_keymap_min_keycode(Keymap), 8);
    const xkb_keycode_t Last = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(Keymap), 255);
    std::vector<TKeysym> Syms;
    for (xkb_keycode_t Code = First; Code <= Last; ++Code) {
        for (int Column = 0; Column < Columns; ++Column) {
            Syms.push_back(SymAt(Keymap, Code, Column / 2, Column % 2));
        }
    }
    return {static_cast<TKeyboardLayout::TKeycode>(First), Columns, std::move(Syms)};
}

namespace {

void Global(void* Self, wl_registry* Registry, std::uint32_t Name, const char* Interface,
            std::uint32_t Version) {
    if (std::strcmp(Interface, wl_seat_interface.name) == 0) {
        static_cast<TWaylandKeymap*>(Self)->SeatOffered(Registry, Name, Version);
    }
}

void GlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener RegistryListener{Global, GlobalRemove};

void Capabilities(void* Self, wl_seat*, std::uint32_t Capabilities) {
    static_cast<TWaylandKeymap*>(Self)->SeatCapabilities(Capabilities);
}

void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener SeatListener{Capabilities, SeatName};

void Keymap(void* Self, wl_keyboard*, std::uint32_t Format, std::int32_t Fd, std::uint32_t Size) {
    static_cast<TWaylandKeymap*>(Self)->KeymapGiven(Format, Fd, Size);
}

void Enter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void Leave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void Key(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void Modifiers(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
               std::uint32_t) {}
void RepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener KeyboardListener{Keymap, Enter, Leave, Key, Modifiers, RepeatInfo};

// Version 1 of the seat says all that is needed (the keyboard's keymap) and nothing more.
constexpr std::uint32_t SeatVersion = 1;

}  // namespace

TWaylandKeymap::TWaylandKeymap()
    : Display(wl_display_connect(nullptr)),
      Context(xkb_context_new(XKB_CONTEXT_NO_FLAGS), xkb_context_unref) {
    if (Display == nullptr) {
        return;
    }
    Registry = wl_display_get_registry(Display);
    wl_registry_add_listener(Registry, &RegistryListener, this);
    // The seat, its capabilities, the keyboard's keymap: one round trip each.
    for (int Trip = 0; Trip < 3; ++Trip) {
        wl_display_roundtrip(Display);
    }
}

TWaylandKeymap::~TWaylandKeymap() {
    if (Keyboard != nullptr) {
        wl_keyboard_destroy(Keyboard);
    }
    if (Seat != nullptr) {
        wl_seat_destroy(Seat);
    }
    if (Registry != nullptr) {
        wl_registry_destroy(Registry);
    }
    if (Display != nullptr) {
        wl_display_disconnect(Display);
    }
}

std::optional<TKeyboardLayout> TWaylandKeymap::Layout() {
    // A switched layout arrives as a new keymap event.
    if (Display != nullptr && wl_display_roundtrip(Display) < 0) {
        Current.reset();
    }
    return Current;
}

void TWaylandKeymap::SeatOffered(wl_registry* From, std::uint32_t Name, std::uint32_t Version) {
    if (Seat != nullptr) {
        return;
    }
    Seat = static_cast<wl_seat*>(
        wl_registry_bind(From, Name, &wl_seat_interface, std::min(Version, SeatVersion)));
    wl_seat_add_listener(Seat, &SeatListener, this);
}

void TWaylandKeymap::SeatCapabilities(std::uint32_t Capabilities) {
    if (Keyboard == nullptr && (Capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0) {
        Keyboard = wl_seat_get_keyboard(Seat);
        wl_keyboard_add_listener(Keyboard, &KeyboardListener, this);
    }
}

void TWaylandKeymap::KeymapGiven(std::uint32_t Format, int Fd, std::uint32_t Size) {
    const TFileDescriptor Owned(Fd);
    if (Format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || Size == 0 || !Context) {
        return;
    }
    void* Mapped = mmap(nullptr, Size, PROT_READ, MAP_PRIVATE, Owned.Get(), 0);
    if (Mapped == MAP_FAILED) {
        return;
    }
    // The text ends in a NUL within Size; a keymap without one is refused rather than read past.
    const auto* Text = static_cast<const char*>(Mapped);
    xkb_keymap* Keymap = std::memchr(Text, '\0', Size) != nullptr
                             ? xkb_keymap_new_from_string(Context.get(), Text, XKB_KEYMAP_FORMAT_TEXT_V1,
                                                          XKB_KEYMAP_COMPILE_NO_FLAGS)
                             : nullptr;
    munmap(Mapped, Size);
    if (Keymap != nullptr) {
        Current = KeyboardLayoutOf(Keymap);
        xkb_keymap_unref(Keymap);
    }
}

}  // namespace tulma
