#!/usr/bin/env bash
# Runs a command inside a private headless sway session: sway as an unprivileged user (it refuses to run
# as root) on a headless output, with its own runtime folder, HOME and configuration. The configuration
# includes config.d/keys, where a user's binding of Ctrl+Alt+u touches $TULMA_SWAY_SHARED/user-binding.
# The command sees SWAYSOCK, WAYLAND_DISPLAY, HOME, the XDG variables and TULMA_SWAY_SHARED (a folder
# both may write); its exit status is the script's. A session that does not come up fails with the
# reason (exit status 3), so a test that needs it can never pass by skipping. sway ends with the script.
# sway's XWayland admits only sway's user: X11 programs start through sway's exec.
#   sway-session.sh COMMAND [ARGUMENTS...]
set -euo pipefail

fail() {
  echo "sway-session: $*" >&2
  exit 3
}

[ $# -gt 0 ] || fail "usage: sway-session.sh COMMAND [ARGUMENTS...]"
for tool in sway swaymsg wtype setpriv dbus-run-session; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done
# The user sway runs as: anyone but root.
user=${TULMA_SWAY_USER:-65534}

scratch=$(mktemp -d /tmp/tulma-sway.XXXXXX)
chmod 0755 "$scratch"
export XDG_RUNTIME_DIR=$scratch/runtime HOME=$scratch/home TULMA_SWAY_SHARED=$scratch/shared
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
export XDG_STATE_HOME=$HOME/.local/state
mkdir -m 0700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/sway/config.d" "$XDG_STATE_HOME"
mkdir -m 0777 "$TULMA_SWAY_SHARED"
cat >"$XDG_CONFIG_HOME/sway/config" <<CONFIG
xwayland enable
include ~/.config/sway/config.d/*
CONFIG
echo "bindsym Ctrl+Alt+u exec touch $TULMA_SWAY_SHARED/user-binding" >"$XDG_CONFIG_HOME/sway/config.d/keys"
chown -R "$user:$user" "$XDG_RUNTIME_DIR" "$HOME"
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK I3SOCK DBUS_SESSION_BUS_ADDRESS

log=$scratch/sway.log
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  setpriv --reuid="$user" --regid="$user" --clear-groups dbus-run-session -- sway >"$log" 2>&1 &
session=$!
cleanup() {
  pkill -TERM -P "$session" 2>/dev/null || true
  kill "$session" 2>/dev/null || true
  wait "$session" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

for _ in $(seq 400); do
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1) || true
  [ -n "$SWAYSOCK" ] && swaymsg -s "$SWAYSOCK" -t get_outputs 2>/dev/null | grep -q '"name"' && break
  kill -0 "$session" 2>/dev/null || fail "sway ended at start: $(tail -n 5 "$log" | tr '\n' ' ')"
  sleep 0.05
done
[ -n "${SWAYSOCK:-}" ] || fail "no sway socket after 20 s: $(tail -n 5 "$log" | tr '\n' ' ')"
WAYLAND_DISPLAY=$(basename "$(ls "$XDG_RUNTIME_DIR"/wayland-* | grep -v '\.lock$' | head -n 1)")
export SWAYSOCK WAYLAND_DISPLAY
status=0
"$@" || status=$?
exit "$status"
