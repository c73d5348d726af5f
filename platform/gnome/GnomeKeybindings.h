#pragma once

#include <memory>
#include <string>
#include <vector>

#include "GnomeAccelerator.h"
#include "GnomeSettingsStore.h"

namespace tulma {

// An accelerator that some binding of GNOME holds, and the holder in words for the user: the setting's
// summary ("Switch applications") or a custom entry's name.
struct TGnomeHeldAccelerator {
    TGnomeAccelerator Accelerator;
    std::string Holder;
};

// GNOME's keybinding settings through GSettings (dconf): the list of custom keybindings of
// gnome-settings-daemon, each entry at a path of its own, and the built-in lists of the window manager,
// mutter, the shell and the media keys. GIO comes in with the GNOME settings module on first use.
class TGnomeKeybindings {
  public:
    // Where every custom entry lies; Tulma's own are "tulma-<ID>/" in it.
    static constexpr const char* CustomFolder =
        "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";

    // Why custom keybindings cannot be used here (a schema is not installed, or settings would stay in this
    // process's memory); empty when they can.
    static std::string Unavailable();

    // Throws EGnomeSettings when Unavailable() says why.
    TGnomeKeybindings();
    ~TGnomeKeybindings();
    TGnomeKeybindings(const TGnomeKeybindings&) = delete;
    TGnomeKeybindings& operator=(const TGnomeKeybindings&) = delete;

    // The custom keybindings' paths in the order GNOME lists them.
    std::vector<std::string> CustomPaths() const;
    TGnomeCustomEntry Entry(const std::string& Path) const;
    // Writes the entry's three keys, then appends Path to the list when it is not there: the daemon grabs
    // a listed entry as soon as it sees it, so it must be whole by then.
    void Write(const std::string& Path, const TGnomeCustomEntry& Entry);
    // Takes Paths off the list (the daemon lets go of them), then clears their keys. Every other entry
    // keeps its place.
    void Remove(const std::vector<std::string>& Paths);
    // Every accelerator of GNOME's built-in lists and of the custom entries outside Skipped.
    std::vector<TGnomeHeldAccelerator> HeldAccelerators(const std::vector<std::string>& Skipped) const;

  private:
    std::unique_ptr<IGnomeSettingsStore> Store;
};

}  // namespace tulma
