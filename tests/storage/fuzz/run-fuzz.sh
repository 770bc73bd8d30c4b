#!/bin/sh
# run-fuzz.sh [seconds, 30] [build folder, else $FUZZ_BUILD_DIR, else ./build-fuzz]: builds the saved-game
# fuzzer with clang and runs it from the seed corpus. Fails on a fault, keeping its input in the build folder.
set -eu
build=${2:-${FUZZ_BUILD_DIR:-build-fuzz}}
CC=clang CXX=clang++ cmake -S "$(dirname "$0")" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"
mkdir -p "$build/corpus"  # what the fuzzer finds goes here; the seeds in the tree stay as they are
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} "$build/fuzz_savedgame" -max_total_time="${1:-30}" -max_len=8192 \
  -artifact_prefix="$build/" "$build/corpus" "$(dirname "$0")/corpus"
