#!/usr/bin/env bash
# The work each program does to start, counted in instructions by callgrind: unlike the
# wall-clock figures of run.sh, the count hardly changes from run to run, so it shows what a
# change to start-up saves. Both programs run on one private Xvfb until they are idle.
#
#   bench/startup/instructions.sh   # after bench/startup/run.sh has built both programs
#
# Needs valgrind; BENCH_BUILD_DIR as for run.sh.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD_DIR:-$repo/build-bench}
settle=${BENCH_SETTLE_SECONDS:-8}

source "$repo/scripts/packages.sh"
"$repo/scripts/ensure-packages.sh" "${RUN_PACKAGES[@]}" xvfb xauth libxcb1-dev valgrind
for program in "$build/game/trevak" "$build/tools/empty_window"; do
  [[ -x $program ]] || { echo "$program is missing: run bench/startup/run.sh first"; exit 1; }
done

source "$here/display.sh"

# count PROGRAM -> instructions executed from spawn until it has been idle a while
count() {
  local out=$work/callgrind.$(basename "$1")
  "${bare_env[@]}" valgrind --tool=callgrind --callgrind-out-file="$out" "$1" >/dev/null 2>&1 &
  local pid=$!
  sleep "$settle"
  callgrind_control --dump "$pid" >/dev/null 2>&1
  sleep 1
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # The dump taken while the program idled holds everything it did up to then.
  callgrind_annotate "$out.1" 2>/dev/null | awk '/PROGRAM TOTALS/ && !seen++ { gsub(",", "", $1); print $1 }'
}

game=$(count "$build/game/trevak")
empty=$(count "$build/tools/empty_window")
awk -v g="$game" -v e="$empty" 'BEGIN {
  printf "%-36s %12s %12s %7s\n", "", "game", "empty", "ratio"
  printf "%-36s %11.1fM %11.1fM %7.2f\n", "instructions until idle (callgrind)", g / 1e6, e / 1e6, g / e
}'
