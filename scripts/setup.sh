#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tulma needs.
# Safe to run again: packages already present are skipped.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang-format
  # the naming check (clang-tidy's readability-identifier-naming, scripts/naming-check.sh)
  clang-tidy
  # core libraries and tests
  libicu-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev libmimalloc-dev
  # desktop layer and windows
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # lrelease, which builds the English translation
  qt6-l10n-tools
  libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev libxkbcommon-dev
  # Tulma's own windows on Wayland, and the compositor's keymap where there is no X display
  qt6-wayland libwayland-dev
  # desktop entries of applications, read and started as the desktop does (GIO)
  libglib2.0-dev
  # a real X display for the end-to-end tests
  xvfb xauth openbox xdotool wmctrl trayer x11-utils
  # further window managers that the window-cycling tests run under too; without a wallpaper setter
  # fluxbox opens a window of its own to say so
  fluxbox icewm hsetroot
  # real windows of one program for trying run-or-raise by hand
  xterm
  # the hotkey daemon that the launch benchmark compares with
  sxhkd
  # the desktop's default handler for documents, folders and URLs
  xdg-utils
  # the README's screenshot: a window's pixels from Xvfb, as PNG
  x11-apps netpbm
  # the icon's PNG sizes, rendered from its SVG at build time
  librsvg2-bin
  # checks the launcher entry in the install test
  desktop-file-utils
  # fonts so that windows have readable text under Xvfb
  fonts-dejavu-core
  # a private session bus for the desktop-notification and backend-choice tests (dbus-run-session), and
  # dbus-monitor, which sees the portal session closed at a session's end
  dbus-daemon dbus-bin
  # a headless Wayland desktop with the global-shortcuts portal, Qt 5 on Wayland for KWin, and the
  # protocol of the key injector, for the Wayland tests
  kwin-wayland xdg-desktop-portal xdg-desktop-portal-kde qtwayland5
  libwayland-bin plasma-wayland-protocols
  # a headless sway and a virtual keyboard for the sway tests
  sway wtype
  # a headless GNOME session (its shell, the daemon that runs custom keybindings, XWayland, gsettings and
  # gdbus) for the GNOME tests
  gnome-shell gnome-settings-daemon xwayland libglib2.0-bin
  # GNOME's JavaScript interpreter, which checks the Shell extension's form for GNOME 45 and later
  gjs
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
