#!/usr/bin/env bash
# Source coverage that a fuzz target's corpus reaches: replays the corpus (seeds and everything the fuzzer
# kept) through a coverage build and prints llvm-cov's report for the project's own sources.
# Usage: scripts/fuzz-coverage.sh TARGET [FILE_REGEX]   e.g. scripts/fuzz-coverage.sh hotkeyfile
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?target, e.g. hotkeyfile}
only=${2:-.}
build=$root/build-fuzzcov
CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTULMA_FUZZ=ON \
    -DTULMA_BUILD_TESTS=OFF -DTULMA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" >/dev/null
cmake --build "$build" --target "fuzz_$target" >/dev/null
profile=$build/$target.profraw
rm -f "$profile"
corpora=("$root/fuzz/corpus/$target")
if [ -d "$root/build-fuzz/corpus/$target" ]; then corpora+=("$root/build-fuzz/corpus/$target"); fi
LLVM_PROFILE_FILE=$profile "$build/bin/fuzz_$target" -runs=0 "${corpora[@]}" >/dev/null 2>&1
llvm-profdata merge -sparse "$profile" -o "$build/$target.profdata"
llvm-cov report "$build/bin/fuzz_$target" -instr-profile="$build/$target.profdata" \
    -ignore-filename-regex='(^/usr/|/tests/|/fuzz/|/build)' | grep -E "^Filename|^-|$only|^TOTAL"
