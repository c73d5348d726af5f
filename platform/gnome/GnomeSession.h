#pragma once

#include <optional>
#include <string>

#include "BackendChoice.h"

namespace tulma {

// Whether XDG_CURRENT_DESKTOP names GNOME ("GNOME", "ubuntu:GNOME").
bool GnomeDesktop();

// The running GNOME Shell's version ("43.9"); nothing when no GNOME Shell is on the session bus.
std::optional<std::string> GnomeShellVersion();

// Whether a GNOME Shell of this version serves the GlobalShortcuts portal (from 48 on).
bool GnomeShellHasShortcutsPortal(const std::string& Version);

// Whether GNOME's custom keybindings serve this session: their schemas are installed and
// gnome-settings-daemon's media-keys plugin, which runs them, is on the session bus.
TBackendVerdict ProveGnomeKeybindings();

}  // namespace tulma
