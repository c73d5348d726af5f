#!/usr/bin/env bash
# Checks every name in the sources we compile against the naming rule (.clang-tidy: clang-tidy's
# readability-identifier-naming alone), using a build directory's compile_commands.json.
# Usage: scripts/naming-check.sh [BUILD_DIR]. Exits 1 and lists the names when any breaks the rule.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
folders='(bench|classes|datetime|dialogs|forms|fuzz|hotkeys|messages|persistence|platform|shell|tests|tools)'
# Our own sources and headers only: not the moc and uic files generated into the build directory. GCC's
# warning options that clang does not know are not our names' business.
run-clang-tidy-14 -p "$build" -quiet -j "$(nproc)" -header-filter="^$root/$folders/" \
  -extra-arg=-Wno-unknown-warning-option "^$root/$folders/" >"$build/naming-check.log" 2>&1 || {
  grep -E 'error: ' "$build/naming-check.log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u >&2
  echo "naming check failed: the names above break the rule in docs/development.md" >&2
  exit 1
}
