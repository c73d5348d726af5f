#!/usr/bin/env bash
# Installs what is missing, builds Tulma and runs every test with ctest: the suite, the soak tests, then
# the unit and window tests once more in a build with AddressSanitizer, LeakSanitizer and UBSan. The naming
# check runs beside the soak tests and fails the script at the end when a name breaks the rule.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/check-format.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)" --timeout 600 -LE soak
# The naming check (minutes of parsing) shares the machine with the soak tests, which mostly wait.
"$root/scripts/naming-check.sh" "$root/build" >"$root/build/naming-check.out" 2>&1 &
naming=$!
# Minutes of presses, edits and reloads against the real program, one test at a time; verbose, so
# that their "[soak] ..." figures show.
ctest -L soak --verbose
naming_status=0
wait "$naming" || naming_status=$?

# The sanitizers' settings hold for the test discovery during the build as well. Leaks inside system
# libraries are suppressed by name in lsan.supp; UBSan findings abort the test that made them.
export ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$root/scripts/build.sh" "$root/build-asan" -DTULMA_SANITIZE=ON -DTULMA_BUILD_BENCH=OFF
cd "$root/build-asan"
# The tests that need an X server or a Wayland desktop ran in the first pass.
ctest --output-on-failure -j "$(nproc)" --timeout 600 -LE 'e2e|x11|wayland|soak'

if ((naming_status != 0)); then
  cat "$root/build/naming-check.out" >&2
  exit "$naming_status"
fi
