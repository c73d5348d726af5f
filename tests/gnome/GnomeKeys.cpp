// Presses keys on a GNOME Wayland session as a keyboard would, through mutter's remote-desktop interface:
// the compositor sees them, so GNOME's keybindings fire whatever window has the focus.
//   tulma_gnome_keys [--hold MS] KEYSYM...   X keysym names (Control_L, Alt_L, k), pressed in order and
//                                            released in reverse
#include <gio/gio.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* MutterName = "org.gnome.Mutter.RemoteDesktop";

struct VariantFree {
    void operator()(GVariant* Value) const { g_variant_unref(Value); }
};
using Variant = std::unique_ptr<GVariant, VariantFree>;

Variant Call(GDBusConnection* Bus, const std::string& Path, const char* Interface, const char* Method,
             GVariant* Arguments) {
    GError* Error = nullptr;
    GVariant* Reply = g_dbus_connection_call_sync(Bus, MutterName, Path.c_str(), Interface, Method, Arguments,
                                                  nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, &Error);
    if (Reply == nullptr) {
        const std::string Message = std::string(Method) + ": " + Error->message;
        g_error_free(Error);
        throw std::runtime_error(Message);
    }
    return Variant(Reply);
}

// One remote-desktop session: mutter ends it when its caller leaves the bus, so it lives as long as we do.
class RemoteKeyboard {
  public:
    explicit RemoteKeyboard(GDBusConnection* Bus) : Bus(Bus) {
        const Variant Reply =
            Call(Bus, "/org/gnome/Mutter/RemoteDesktop", MutterName, "CreateSession", nullptr);
        const gchar* Object = nullptr;
        g_variant_get(Reply.get(), "(&o)", &Object);
        Path = Object;
        Call(Bus, Path, "org.gnome.Mutter.RemoteDesktop.Session", "Start", nullptr);
    }
    ~RemoteKeyboard() {
        try {
            Call(Bus, Path, "org.gnome.Mutter.RemoteDesktop.Session", "Stop", nullptr);
        } catch (const std::exception&) {
            // Mutter drops the session with our connection anyway.
        }
    }
    RemoteKeyboard(const RemoteKeyboard&) = delete;
    RemoteKeyboard& operator=(const RemoteKeyboard&) = delete;

    void Key(xkb_keysym_t Keysym, bool Pressed) {
        Call(Bus, Path, "org.gnome.Mutter.RemoteDesktop.Session", "NotifyKeyboardKeysym",
             g_variant_new("(ub)", Keysym, Pressed ? TRUE : FALSE));
    }

  private:
    GDBusConnection* Bus;
    std::string Path;
};

}  // namespace

int main(int Argc, char** Argv) {
    int HoldMs = 0;
    std::vector<xkb_keysym_t> Keys;
    for (int I = 1; I < Argc; ++I) {
        if (std::strcmp(Argv[I], "--hold") == 0 && I + 1 < Argc) {
            HoldMs = std::atoi(Argv[++I]);
            continue;
        }
        const xkb_keysym_t Keysym = xkb_keysym_from_name(Argv[I], XKB_KEYSYM_NO_FLAGS);
        if (Keysym == XKB_KEY_NoSymbol) {
            std::fprintf(stderr, "tulma_gnome_keys: unknown keysym %s\n", Argv[I]);
            return 2;
        }
        Keys.push_back(Keysym);
    }
    if (Keys.empty()) {
        std::fprintf(stderr, "usage: tulma_gnome_keys [--hold MS] KEYSYM...\n");
        return 2;
    }
    GError* Error = nullptr;
    GDBusConnection* Bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &Error);
    if (Bus == nullptr) {
        std::fprintf(stderr, "tulma_gnome_keys: no session bus: %s\n", Error->message);
        g_error_free(Error);
        return 1;
    }
    int Status = 0;
    try {
        RemoteKeyboard Keyboard(Bus);
        for (const xkb_keysym_t Keysym : Keys) {
            Keyboard.Key(Keysym, true);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(HoldMs));
        for (auto Keysym = Keys.rbegin(); Keysym != Keys.rend(); ++Keysym) {
            Keyboard.Key(*Keysym, false);
        }
    } catch (const std::exception& Failure) {
        std::fprintf(stderr, "tulma_gnome_keys: %s\n", Failure.what());
        Status = 1;
    }
    g_object_unref(Bus);
    return Status;
}
