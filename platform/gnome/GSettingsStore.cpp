#include "GnomeSettingsStore.h"

#include <gio/gio.h>
// Which backend GSettings writes to: only dconf reaches gnome-settings-daemon.
#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gsettingsbackend.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "GLibOwner.h"

namespace tulma {
namespace {

constexpr const char* MediaKeysSchema = "org.gnome.settings-daemon.plugins.media-keys";
constexpr const char* CustomSchema = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
constexpr const char* CustomListKey = "custom-keybindings";

// The lists whose bindings win over any custom keybinding: the shell and mutter grab theirs first.
constexpr const char* BuiltInSchemas[] = {"org.gnome.desktop.wm.keybindings", "org.gnome.mutter.keybindings",
                                          "org.gnome.mutter.wayland.keybindings",
                                          "org.gnome.shell.keybindings", MediaKeysSchema};

using TSchema = TGLibOwner<GSettingsSchema, g_settings_schema_unref>;
using TSchemaKey = TGLibOwner<GSettingsSchemaKey, g_settings_schema_key_unref>;
using TVariant = TGLibOwner<GVariant, g_variant_unref>;
using TStrv = TGLibOwner<gchar*, g_strfreev>;
using TChars = TGLibOwner<gchar, g_free>;
using TSettings = TGLibOwner<GSettings, g_object_unref>;

// The installed schema Id; null when it is not installed.
TSchema Lookup(const char* Id) {
    GSettingsSchemaSource* Source = g_settings_schema_source_get_default();
    return TSchema(Source != nullptr ? g_settings_schema_source_lookup(Source, Id, TRUE) : nullptr);
}

std::vector<std::string> Texts(const TStrv& List) {
    std::vector<std::string> Out;
    for (gchar** Item = List.get(); Item != nullptr && *Item != nullptr; ++Item) {
        Out.emplace_back(*Item);
    }
    return Out;
}

std::string Text(GSettings* Settings, const char* Key) {
    const TChars Value(g_settings_get_string(Settings, Key));
    return Value ? Value.get() : "";
}

// The accelerators a built-in setting holds: a list of them or, in older schemas, a single one.
std::vector<std::string> Accelerators(GSettings* Settings, const char* Key) {
    const TVariant Value(g_settings_get_value(Settings, Key));
    if (g_variant_is_of_type(Value.get(), G_VARIANT_TYPE_STRING_ARRAY)) {
        return Texts(TStrv(g_variant_dup_strv(Value.get(), nullptr)));
    }
    if (g_variant_is_of_type(Value.get(), G_VARIANT_TYPE_STRING)) {
        return {g_variant_get_string(Value.get(), nullptr)};
    }
    return {};
}

void Hold(std::vector<TGnomeHeldText>& Held, const std::vector<std::string>& Accelerators,
          const std::string& Holder) {
    for (const std::string& Accelerator : Accelerators) {
        Held.push_back({Accelerator, Holder});
    }
}

void HoldBuiltIns(std::vector<TGnomeHeldText>& Held, const char* SchemaId) {
    const TSchema Found = Lookup(SchemaId);
    if (!Found) {
        return;
    }
    const TSettings Settings(g_settings_new_full(Found.get(), nullptr, nullptr));
    const TStrv Keys(g_settings_schema_list_keys(Found.get()));
    for (const std::string& Key : Texts(Keys)) {
        if (Key == CustomListKey) {
            continue;
        }
        const TSchemaKey About(g_settings_schema_get_key(Found.get(), Key.c_str()));
        const gchar* Summary = g_settings_schema_key_get_summary(About.get());
        Hold(Held, Accelerators(Settings.get(), Key.c_str()),
             Summary != nullptr && *Summary != '\0' ? Summary : Key);
    }
}

std::string Unavailable() {
    for (const char* Id : {MediaKeysSchema, CustomSchema}) {
        if (!Lookup(Id)) {
            return std::string("GNOME's settings schema ") + Id +
                   " is not installed (it comes with gnome-settings-daemon)";
        }
    }
    // Without dconf's module GSettings keeps every value in memory, where gnome-settings-daemon never sees
    // it.
    GSettingsBackend* Backend = g_settings_backend_get_default();
    const std::string_view Kind = G_OBJECT_TYPE_NAME(Backend);
    const bool Lost = Kind == "GMemorySettingsBackend" || Kind == "GNullSettingsBackend";
    g_object_unref(Backend);
    if (Lost) {
        return "GSettings would keep the keybindings in this program's memory (dconf's GSettings module is "
               "not installed, or GSETTINGS_BACKEND names another)";
    }
    return {};
}

TSettings EntryAt(const std::string& Path) {
    const TSchema Custom = Lookup(CustomSchema);
    return TSettings(g_settings_new_full(Custom.get(), nullptr, Path.c_str()));
}

class TGSettingsStore final : public IGnomeSettingsStore {
  public:
    TGSettingsStore() : MediaKeys(g_settings_new(MediaKeysSchema)) {}

    std::vector<std::string> CustomPaths() const override;
    TGnomeCustomEntry Entry(const std::string& Path) const override;
    void Write(const std::string& Path, const TGnomeCustomEntry& Entry) override;
    void Remove(const std::vector<std::string>& Paths) override;
    std::vector<TGnomeHeldText> HeldTexts(const std::vector<std::string>& Skipped) const override;

  private:
    TSettings MediaKeys;

    void SetCustomPaths(const std::vector<std::string>& Paths);
};

std::vector<std::string> TGSettingsStore::CustomPaths() const {
    return Texts(TStrv(g_settings_get_strv(MediaKeys.get(), CustomListKey)));
}

TGnomeCustomEntry TGSettingsStore::Entry(const std::string& Path) const {
    const TSettings At = EntryAt(Path);
    return {Text(At.get(), "name"), Text(At.get(), "command"), Text(At.get(), "binding")};
}

void TGSettingsStore::SetCustomPaths(const std::vector<std::string>& Paths) {
    std::vector<const gchar*> List;
    for (const std::string& Listed : Paths) {
        List.push_back(Listed.c_str());
    }
    List.push_back(nullptr);
    if (!g_settings_set_strv(MediaKeys.get(), CustomListKey, List.data())) {
        throw EGnomeSettings("GNOME's settings refused the list of custom keybindings");
    }
}

void TGSettingsStore::Write(const std::string& Path, const TGnomeCustomEntry& Entry) {
    const TSettings At = EntryAt(Path);
    if (!g_settings_set_string(At.get(), "name", Entry.Name.c_str()) ||
        !g_settings_set_string(At.get(), "command", Entry.Command.c_str()) ||
        !g_settings_set_string(At.get(), "binding", Entry.Binding.c_str())) {
        throw EGnomeSettings("GNOME's settings refused the custom keybinding " + Path);
    }
    g_settings_sync();
    std::vector<std::string> Paths = CustomPaths();
    if (std::find(Paths.begin(), Paths.end(), Path) != Paths.end()) {
        return;
    }
    Paths.push_back(Path);
    SetCustomPaths(Paths);
    g_settings_sync();
}

void TGSettingsStore::Remove(const std::vector<std::string>& Paths) {
    if (Paths.empty()) {
        return;
    }
    std::vector<std::string> Kept = CustomPaths();
    const auto Removed = std::erase_if(Kept, [&Paths](const std::string& Path) {
        return std::find(Paths.begin(), Paths.end(), Path) != Paths.end();
    });
    if (Removed > 0) {
        SetCustomPaths(Kept);
    }
    for (const std::string& Path : Paths) {
        const TSettings At = EntryAt(Path);
        for (const char* Key : {"name", "command", "binding"}) {
            g_settings_reset(At.get(), Key);
        }
    }
    g_settings_sync();
}

std::vector<TGnomeHeldText> TGSettingsStore::HeldTexts(const std::vector<std::string>& Skipped) const {
    std::vector<TGnomeHeldText> Held;
    for (const char* Id : BuiltInSchemas) {
        HoldBuiltIns(Held, Id);
    }
    for (const std::string& Path : CustomPaths()) {
        if (std::find(Skipped.begin(), Skipped.end(), Path) == Skipped.end()) {
            const TGnomeCustomEntry Other = Entry(Path);
            Hold(Held, {Other.Binding}, Other.Name.empty() ? Path : Other.Name);
        }
    }
    return Held;
}

std::unique_ptr<IGnomeSettingsStore> Open() {
    return std::make_unique<TGSettingsStore>();
}

}  // namespace
}  // namespace tulma

extern "C" __attribute__((visibility("default"))) const tulma::TGnomeSettingsModule*
TulmaGnomeSettingsModule() {
    static const tulma::TGnomeSettingsModule Module{tulma::Unavailable, tulma::Open};
    return &Module;
}
