#!/usr/bin/env bash
# Runs a command inside a private headless KDE Wayland desktop: kwin_wayland on a virtual output with
# XWayland, the GlobalShortcuts portal with KDE's backend, a private session bus, runtime folder and HOME.
# The command sees WAYLAND_DISPLAY, DISPLAY (XWayland), HOME and the XDG variables; its exit status is
# the script's. A desktop that does not come up fails with the reason (exit status 3), so a test that
# needs it can never pass by skipping. Everything started is ended on the way out.
#   wayland-desktop.sh COMMAND [ARGUMENTS...]
set -euo pipefail

fail() {
  echo "wayland-desktop: $*" >&2
  exit 3
}

# Polls "$@" every 50 ms for up to 20 s.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 400); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  fail "no $what after 20 s"
}

has_bus_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

if [ "${1:-}" != --inside-bus ]; then
  [ $# -gt 0 ] || fail "usage: wayland-desktop.sh COMMAND [ARGUMENTS...]"
  for tool in kwin_wayland dbus-run-session dbus-send dbus-update-activation-environment; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
  done
  scratch=$(mktemp -d /tmp/tulma-wayland.XXXXXX)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -m 0700 "$scratch/runtime" "$scratch/home"
  export XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
  export XDG_STATE_HOME=$HOME/.local/state TULMA_WAYLAND_SCRATCH=$scratch
  unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
  # Not "exec": the trap removes the scratch folder once the session has ended. In the background, so
  # that a termination (a test's time-out) reaches the desktop inside, which then ends what it started.
  dbus-run-session -- "$0" --inside-bus "$@" &
  session=$!
  trap 'pkill -TERM -P "$session" 2>/dev/null; wait "$session"; exit 143' TERM INT HUP
  status=0
  wait "$session" || status=$?
  exit "$status"
fi
shift

started=()
cleanup() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  # The document portal, which the bus starts for the portal, mounts a file system in the runtime
  # folder.
  if mountpoint -q "$XDG_RUNTIME_DIR/doc" 2>/dev/null; then
    fusermount3 -u "$XDG_RUNTIME_DIR/doc" 2>/dev/null || fusermount -u "$XDG_RUNTIME_DIR/doc" 2>/dev/null ||
      umount -l "$XDG_RUNTIME_DIR/doc" 2>/dev/null || true
  fi
}
trap cleanup EXIT

scratch=$TULMA_WAYLAND_SCRATCH
log=$scratch/desktop.log
# The installed kwin_wayland carries a file capability that a container may refuse to execute; a copy
# carries none.
cp "$(command -v kwin_wayland)" "$scratch/kwin_wayland"
export KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM=offscreen
"$scratch/kwin_wayland" --virtual --no-lockscreen --socket wayland-test --width 1280 --height 800 \
  --xwayland >>"$log" 2>&1 &
started+=($!)
kwin=$!
wait_for "Wayland socket (kwin: $(tail -n 3 "$log" | tr '\n' ' '))" test -S "$XDG_RUNTIME_DIR/wayland-test"
wait_for "org.kde.kglobalaccel on the bus" has_bus_name org.kde.kglobalaccel
wait_for "XWayland" pgrep -P "$kwin" Xwayland
xwayland=$(pgrep -P "$kwin" Xwayland)
display=$(tr '\0' '\n' <"/proc/$xwayland/cmdline" | grep -m1 '^:[0-9]*$' || true)
[ -n "$display" ] || fail "cannot tell XWayland's display from: $(tr '\0' ' ' <"/proc/$xwayland/cmdline")"
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY=wayland-test DISPLAY=$display XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=wayland
dbus-update-activation-environment HOME XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME \
  XDG_STATE_HOME WAYLAND_DISPLAY DISPLAY XDG_CURRENT_DESKTOP XDG_SESSION_TYPE

# Started by hand and waited for by name: asking the bus for an interface would make it start a portal
# of its own.
/usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde >>"$log" 2>&1 &
started+=($!)
wait_for "KDE portal backend" has_bus_name org.freedesktop.impl.portal.desktop.kde
/usr/libexec/xdg-desktop-portal >>"$log" 2>&1 &
started+=($!)
wait_for "xdg-desktop-portal" has_bus_name org.freedesktop.portal.Desktop

trap 'exit 143' TERM INT HUP
"$@" &
started+=($!)
status=0
wait $! || status=$?
if [ "$status" -ne 0 ]; then
  echo "wayland-desktop: the command ended with status $status; the desktop's log:" >&2
  tail -n 40 "$log" >&2
fi
exit "$status"
