#!/usr/bin/env bash
# Makes the README's picture of the main window from a real run of the built program on a private Xvfb
# display with openbox, under the C locale, with a few example hotkeys. Fails when the program cannot
# start or shows no window.
# Usage: scripts/screenshot.sh [BUILD_DIR] [OUTPUT_PNG]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
output=${2:-$root/docs/screenshot.png}
for tool in Xvfb openbox xdotool xwininfo xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null || { echo "screenshot: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A copy of the program with its message and translation files, so that its default hotkey file lies in
# a fresh program directory.
mkdir -p "$work/program" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/tulma" "$build/bin/stdmess0.mes" "$build/bin/tulma_en.qm" "$work/program/"

hotkey() {  # ID NAME COMBINATION FILE
  cat <<JSON
      {"class": "THotTulma", "ID": $1, "Name": "$2", "HotKey": $3,
       "Commands": {"class": "TIDList", "LastID": 0, "Items": [
         {"class": "THotKeyCommand", "ID": 0, "Name": "$2", "Exec": "$4", "ExecMode": 0,
          "Parameters": "", "Directory": "", "LookForWindow": ""}]}}
JSON
}
{
  echo '{"class": "THotKeyFile", "MinimizeAtStartup": false, "HotKeyList": {"class": "TIDList", "Items": ['
  hotkey 0 Terminal $((0x4000 + 0x8000 + 0x54)) x-terminal-emulator; echo ,
  hotkey 1 "Web browser" $((0x4000 + 0x8000 + 0x57)) x-www-browser; echo ,
  hotkey 2 "Text editor" $((0x4000 + 0x8000 + 0x45)) gedit; echo ,
  hotkey 3 Calculator $((0x4000 + 0x2000 + 0x72)) gnome-calculator
  echo '], "LastID": 3}}'
} > "$work/keys.json"
"$build/bin/tulmafile" build "$work/keys.json" "$work/program/KeyList.TUL"

# A display of its own.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 -u "$fd" number || { echo "screenshot: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

env -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u DBUS_SESSION_BUS_ADDRESS LC_ALL=C.UTF-8 LANG=C.UTF-8 \
  LANGUAGE= HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb \
  "$work/program/tulma" >"$work/tulma.log" 2>&1 &
tulma=$!
pids+=("$tulma")

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tulma$' 2>/dev/null | head -n 1) || true
if [ -z "$window" ] || ! kill -0 "$tulma" 2>/dev/null; then
  echo "screenshot: tulma did not show its window" >&2
  cat "$work/tulma.log" >&2
  exit 1
fi
# The list is filled once the window is shown; give it time to be drawn.
sleep 1.5
mkdir -p "$(dirname "$output")"
# The window manager's frame, with the title bar, is the ancestor just below the root window.
frame=$window
root_id=$(xwininfo -root | awk '/Window id:/ {print $4}')
while parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id:/ {print $4}') && [ -n "$parent" ] &&
  [ "$((parent))" -ne "$((root_id))" ]; do
  frame=$parent
done
xwd -silent -id "$frame" | xwdtopnm 2>/dev/null | pnmtopng >"$work/shot.png"
if [ "$(stat -c %s "$work/shot.png")" -lt 2000 ]; then
  echo "screenshot: the picture is empty" >&2
  exit 1
fi
mv "$work/shot.png" "$output"
echo "screenshot: $output"
