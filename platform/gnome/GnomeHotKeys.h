#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "GnomeKeybindings.h"
#include "HotKeyRegistry.h"

namespace tulma {

// System-wide hotkeys as custom keybindings of gnome-settings-daemon (GNOME before its shortcuts portal):
// each registration is an entry "tulma-<ID>/" named "Tulma: <name>" whose command makes the running Tulma
// run that hotkey, so presses arrive on Tulma's hotkey socket, not here. GNOME drops a taken binding
// without a word, so combinations that GNOME's own lists or the user's custom entries hold are refused
// instead, with the holder's name. The entries live in dconf beyond a crash: the constructor removes the
// ones a Tulma left behind, the destructor its own.
class TGnomeHotKeys : public IHotKeyRegistry {
  public:
    // The program and arguments that an entry runs for the registration named Key (NameHotKey).
    using TCommandOf = std::function<std::vector<std::string>(const std::string& Key)>;

    // Throws EGnomeSettings when GNOME's keybinding schemas are not installed.
    explicit TGnomeHotKeys(TCommandOf CommandOf);
    ~TGnomeHotKeys() override;

    bool RegisterHotKey(std::uint16_t Id, unsigned Modifiers, std::uint8_t VirtualKey) override;
    std::vector<bool> RegisterHotKeys(std::span<const THotKeyRegistration> Registrations) override;
    void UnregisterHotKey(std::uint16_t Id) override;
    void UnregisterHotKeys(std::span<const std::uint16_t> Ids) override;
    void SetPressHandler(TPressHandler) override {}
    void NameHotKey(std::uint16_t Id, const std::string& Key, const std::string& Description) override;
    std::string RefusalReason(std::uint16_t Id) const override;

    // Removes every entry of Tulma's from GNOME's settings (for an uninstall); how many there were.
    // Throws EGnomeSettings when GNOME's keybinding schemas are not installed.
    static std::size_t ForgetAll();

    // The command line of Arguments as GNOME splits it (shell-style, without a shell).
    static std::string QuotedCommand(const std::vector<std::string>& Arguments);

  private:
    struct TEntry {
        std::string Path;
        TGnomeAccelerator Accelerator;
    };
    struct TName {
        std::string Key;
        std::string Description;
    };

    TGnomeKeybindings Settings;
    TCommandOf CommandOf;
    std::map<std::uint16_t, TName> Names;
    std::map<std::uint16_t, TEntry> Written;
    std::map<std::uint16_t, std::string> Refusals;

    // The entry's path of the registration named Id.
    std::string PathOf(std::uint16_t Id) const;
    std::vector<std::string> OwnPaths() const;
};

}  // namespace tulma
