#!/usr/bin/env bash
# Runs a command inside a private headless GNOME session: gnome-shell on a virtual monitor with XWayland,
# gsd-media-keys (which runs the custom keybindings), a private session bus that also stands in for the
# system bus, and a fresh HOME whose settings hold one custom keybinding of the user's own: Ctrl+Alt+u
# touches $TULMA_GNOME_SHARED/user-binding (path .../custom-keybindings/custom0/). With --keys (the
# path of tulma_gnome_keys, exported to the command as TULMA_GNOME_KEYS) the session counts as up only
# once a press of that binding ran it, so that the command's first press cannot come before GNOME grabs
# its keys; the file is removed again before the command starts.
# TULMA_GNOME_EXTENSIONS, when set, names a folder of Shell extensions (one folder per uuid): they are
# installed for the user and enabled before the shell starts, since the shell scans them only then.
# The command sees WAYLAND_DISPLAY, DISPLAY, XAUTHORITY, HOME, the XDG variables, the session bus and
# TULMA_GNOME_SHARED (a scratch folder); its exit status is the script's. A session that does not come
# up fails with the reason (exit status 3), so a test that needs it can never pass by skipping.
#   gnome-session.sh [--keys PATH] COMMAND [ARGUMENTS...]
set -euo pipefail

fail() {
  echo "gnome-session: $*" >&2
  exit 3
}

media_keys=/usr/libexec/gsd-media-keys
schema_base=org.gnome.settings-daemon.plugins.media-keys
user_entry=/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/

# The session's inside, run by dbus-run-session below.
inside() {
  export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
  gsettings set "$schema_base.custom-keybinding:$user_entry" name "User's own"
  gsettings set "$schema_base.custom-keybinding:$user_entry" command "touch $TULMA_GNOME_SHARED/user-binding"
  gsettings set "$schema_base.custom-keybinding:$user_entry" binding "<Control><Alt>u"
  gsettings set "$schema_base" custom-keybindings "['$user_entry']"

  if [ -n "${TULMA_GNOME_EXTENSIONS:-}" ]; then
    local installed=$XDG_DATA_HOME/gnome-shell/extensions uuids=()
    mkdir -p "$installed"
    cp -r "$TULMA_GNOME_EXTENSIONS"/. "$installed"/ || fail "cannot install the extensions of $TULMA_GNOME_EXTENSIONS"
    for extension in "$installed"/*/; do uuids+=("'$(basename "$extension")'"); done
    gsettings set org.gnome.shell disable-user-extensions false
    gsettings set org.gnome.shell enabled-extensions "[$(IFS=,; echo "${uuids[*]}")]"
  fi

  local log=$scratch/shell.log
  gnome-shell --headless --wayland --virtual-monitor 1280x800 --wayland-display=tulma-gnome >"$log" 2>&1 &
  local shell=$!
  local children=("$shell")
  stop_children() {
    local pid
    for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${children[@]}"; do wait "$pid" 2>/dev/null || true; done
    # A shell that did not end cleanly leaves its X display's lock and socket behind.
    if [ -n "${DISPLAY:-}" ]; then
      rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
    fi
  }
  trap stop_children EXIT
  trap 'exit 143' TERM INT HUP

  for _ in $(seq 600); do
    grep -q "GNOME Shell started" "$log" && break
    kill -0 "$shell" 2>/dev/null || fail "gnome-shell ended at start: $(tail -n 5 "$log" | tr '\n' ' ')"
    sleep 0.05
  done
  grep -q "GNOME Shell started" "$log" || fail "gnome-shell not ready after 30 s: $(tail -n 5 "$log" | tr '\n' ' ')"
  export WAYLAND_DISPLAY=tulma-gnome
  local x_display
  x_display=$(grep -o 'Using public X11 display :[0-9]*' "$log" | head -n 1 | grep -o ':[0-9]*$') ||
    fail "gnome-shell started no X display: $(tail -n 5 "$log" | tr '\n' ' ')"
  export DISPLAY=$x_display
  XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1) ||
    fail "no X authority file of mutter's in $XDG_RUNTIME_DIR"
  export XAUTHORITY
  dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE \
    HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR

  "$media_keys" >"$scratch/media-keys.log" 2>&1 &
  children+=($!)
  for _ in $(seq 400); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner org.gnome.SettingsDaemon.MediaKeys 2>/dev/null |
      grep -q true && break
    kill -0 "${children[1]}" 2>/dev/null ||
      fail "gsd-media-keys ended at start: $(tail -n 5 "$scratch/media-keys.log" | tr '\n' ' ')"
    sleep 0.05
  done
  if [ -n "${TULMA_GNOME_KEYS:-}" ]; then
    local pressed=""
    for _ in $(seq 40); do
      "$TULMA_GNOME_KEYS" Control_L Alt_L u || fail "no key press through mutter's remote desktop"
      for _ in $(seq 5); do
        [ -e "$TULMA_GNOME_SHARED/user-binding" ] && pressed=yes && break 2
        sleep 0.05
      done
    done
    [ -n "$pressed" ] ||
      fail "custom keybindings do not run within 10 s: $(tail -n 5 "$scratch/media-keys.log" | tr '\n' ' ')"
    rm -f "$TULMA_GNOME_SHARED/user-binding"
  fi
  local status=0
  "$@" || status=$?
  return "$status"
}

if [ "${1:-}" = "--inside" ]; then
  shift
  scratch=$TULMA_GNOME_SCRATCH
  inside "$@"
  exit $?
fi

if [ "${1:-}" = "--keys" ] && [ $# -ge 2 ]; then
  export TULMA_GNOME_KEYS=$2
  shift 2
fi
[ $# -gt 0 ] || fail "usage: gnome-session.sh [--keys PATH] COMMAND [ARGUMENTS...]"
for tool in gnome-shell gsettings gdbus dbus-run-session dbus-update-activation-environment "$media_keys"; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done

scratch=$(mktemp -d /tmp/tulma-gnome.XXXXXX)
# Services that the bus started may still be writing while they end with it.
remove_scratch() {
  for _ in $(seq 50); do
    rm -rf "$scratch" 2>/dev/null && return
    sleep 0.1
  done
  rm -rf "$scratch"
}
trap remove_scratch EXIT
export TULMA_GNOME_SCRATCH=$scratch XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home
export TULMA_GNOME_SHARED=$scratch/shared
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_STATE_HOME=$HOME/.local/state XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
mkdir -m 0700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" "$TULMA_GNOME_SHARED"
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS GSETTINGS_BACKEND
status=0
dbus-run-session -- "$0" --inside "$@" || status=$?
exit "$status"
