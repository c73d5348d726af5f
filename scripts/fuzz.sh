#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one of them for a while on its corpus.
# Usage: scripts/fuzz.sh TARGET SECONDS [RUNS]   e.g. scripts/fuzz.sh hotkeyfile 600
#        scripts/fuzz.sh messagefile 7200 10000000   (stops at whichever limit comes first)
# Targets: hotkeyfile, messagefile. New inputs go to build-fuzz/corpus/TARGET; fuzz/corpus/TARGET holds
# the seeds, files the program itself wrote (fuzz_seed_writer makes the hotkey files).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?target, e.g. hotkeyfile}
seconds=${2:-60}
runs=${3:--1}
build=$root/build-fuzz
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTULMA_FUZZ=ON \
    -DTULMA_BUILD_TESTS=OFF -DTULMA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target"
mkdir -p "$build/corpus/$target"
cd "$build"
"$build/bin/fuzz_$target" -max_total_time="$seconds" -malloc_limit_mb=64 -rss_limit_mb=512 -timeout=10 \
    -runs="$runs" \
    -print_final_stats=1 "$build/corpus/$target" "$root/fuzz/corpus/$target"
