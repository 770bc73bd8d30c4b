#!/bin/sh
# run-fuzz.sh [seconds, 30] [build folder, ./build-fuzz]: builds the storage layer and the fuzz target with clang under
# libFuzzer, AddressSanitizer and UBSan (the CMake project beside this script), and runs it from the seed corpus. Fails
# on a fault, keeping its input in the build folder.
set -eu
here=$(cd "$(dirname "$0")" && pwd) build=${2:-build-fuzz}
mkdir -p "$build/corpus"  # what the fuzzer finds goes here; the seeds in the tree stay as they are
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" >/dev/null
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} "$build/fuzz_savedgame" -max_total_time="${1:-30}" -max_len=8192 \
  -artifact_prefix="$build/" "$build/corpus" "$here/corpus"
