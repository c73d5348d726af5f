#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tulma {

// GNOME's settings could not be read or written.
class EGnomeSettings : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One custom keybinding of gnome-settings-daemon: the name shown in GNOME Settings, the command it runs
// (split shell-style, without a shell) and the accelerator.
struct TGnomeCustomEntry {
    std::string Name;
    std::string Command;
    std::string Binding;

    bool operator==(const TGnomeCustomEntry&) const = default;
};

// An accelerator as a GNOME setting writes it, and the holder in words for the user.
struct TGnomeHeldText {
    std::string Accelerator;
    std::string Holder;
};

// GNOME's keybinding settings as GSettings (dconf) keeps them; TGnomeKeybindings says what each does.
class IGnomeSettingsStore {
  public:
    virtual ~IGnomeSettingsStore() = default;
    virtual std::vector<std::string> CustomPaths() const = 0;
    virtual TGnomeCustomEntry Entry(const std::string& Path) const = 0;
    virtual void Write(const std::string& Path, const TGnomeCustomEntry& Entry) = 0;
    virtual void Remove(const std::vector<std::string>& Paths) = 0;
    // Every accelerator of GNOME's built-in lists and of the custom entries outside Skipped.
    virtual std::vector<TGnomeHeldText> HeldTexts(const std::vector<std::string>& Skipped) const = 0;
};

// What the GNOME settings module (GIO) offers the program, found under GnomeSettingsModuleSymbol: GIO is
// mapped only in the sessions that use GNOME's keybindings.
struct TGnomeSettingsModule {
    // Why the store cannot be used here; empty when it can.
    std::string (*Unavailable)();
    // Only where Unavailable() is empty.
    std::unique_ptr<IGnomeSettingsStore> (*Open)();
};

inline constexpr const char* GnomeSettingsModuleFile = "libtulma-gnome-settings.so";
inline constexpr const char* GnomeSettingsModuleSymbol = "TulmaGnomeSettingsModule";

}  // namespace tulma
