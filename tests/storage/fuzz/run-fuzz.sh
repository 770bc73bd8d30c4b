#!/bin/sh
# run-fuzz.sh [seconds, 30] [build folder, ./build-fuzz]: builds the saved-game reader alone with clang under libFuzzer,
# AddressSanitizer and UBSan, and runs it from the seed corpus. Fails on a fault, keeping its input in the build folder.
set -eu
here=$(dirname "$0") build=${2:-build-fuzz}
mkdir -p "$build/corpus"  # what the fuzzer finds goes here; the seeds in the tree stay as they are
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -Wall \
  -Wextra -I"$here/../../.." $(pkg-config --cflags Qt6Core) "$here/fuzz_savedgame.cpp" "$here/../../../storage/SavedGameFormat.cpp" \
  $(pkg-config --libs Qt6Core) -o "$build/fuzz_savedgame"
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} "$build/fuzz_savedgame" -max_total_time="${1:-30}" -max_len=8192 \
  -artifact_prefix="$build/" "$build/corpus" "$here/corpus"
