#!/bin/sh
# Builds the saved-game fuzzer and runs it on a copy of the seed corpus.
# Usage: run-fuzz.sh [seconds] [build-folder]
#   seconds       how long to fuzz, 30 when not given
#   build-folder  where to build, else $FUZZ_BUILD_DIR, else ./build-fuzz
# Exits non-zero when the build fails or the fuzzer finds a crash or a sanitizer report.
set -eu

seconds=${1:-30}
build=${2:-${FUZZ_BUILD_DIR:-build-fuzz}}
here=$(cd "$(dirname "$0")" && pwd)

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja
cmake --build "$build"

# The fuzzer adds what it finds to the corpus folder; the seeds in the tree stay as they are.
corpus=$(mktemp -d "${TMPDIR:-/tmp}/trevak-fuzz-corpus.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
cp "$here"/corpus/* "$corpus"/

status=0
ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1} \
  "$build/fuzz_savedgame" -max_total_time="$seconds" -max_len=8192 \
  -artifact_prefix="$build/" "$corpus" || status=$?
if [ "$status" -ne 0 ]; then
  echo "run-fuzz.sh: the fuzzer failed (exit $status); the input is saved in $build/" >&2
fi
exit "$status"
