#!/usr/bin/env bash
# Builds and runs the side-by-side benchmarks: press to launch with 1 and with 1,000 hotkeys (tulma against
# sxhkd) and window search among 500 and 50 windows (tulma against wmctrl -a), each on private Xvfb
# displays with openbox, then press to launch in a headless KWin Wayland desktop through KDE's global
# shortcut service beside KDE's own shortcut that starts the program, and through the portal, then press to
# launch on a headless sway beside sway's own exec binding, then on a headless GNOME beside a custom
# keybinding that runs the program directly. Prints Google Benchmark's report and a summary with median,
# p90, p99, max and the verdicts against each target.
# Usage: scripts/bench-launch.sh [BUILD_DIR] [PRESSES] [SEARCHES]   (defaults: build, 200, 100)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
presses=${2:-200}
searches=${3:-100}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 --target bench_press_to_launch bench_window_search bench_kwin_press_to_launch \
  bench_sway_press_to_launch bench_gnome_press_to_launch tulma_gnome_keys
echo "== Press to launch, 1 and 1,000 hotkeys: $presses presses each =="
"$build/bin/bench_press_to_launch" --benchmark_repetitions="$presses"
echo
echo "== Window search: 500 and 50 windows, $searches searches each =="
"$build/bin/bench_window_search" --benchmark_repetitions="$searches"
echo
echo "== Press to launch on KWin Wayland, beside KDE's own shortcut, and through the portal: $presses presses each =="
"$root/tests/wayland/wayland-desktop.sh" "$build/bin/bench_kwin_press_to_launch" --benchmark_repetitions="$presses"
echo
echo "== Press to launch on sway, beside sway's exec binding: $presses presses each =="
"$root/tests/sway/sway-session.sh" "$build/bin/bench_sway_press_to_launch" --benchmark_repetitions="$presses"
echo
echo "== Press to launch on GNOME 43, beside a custom keybinding that runs the program: $presses presses each =="
"$root/tests/gnome/gnome-session.sh" --keys "$build/bin/tulma_gnome_keys" "$build/bin/bench_gnome_press_to_launch" \
  --benchmark_repetitions="$presses"
