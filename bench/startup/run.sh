#!/usr/bin/env bash
# Start-up time, private memory and idle CPU of the game, against an empty Qt Widgets window
# of the same shape (menu bar with one menu, 561 x 384 client area), on one private Xvfb
# without a window manager. Both are started alternately by startup_probe, which measures
# them from outside the same way. Prints a table and the game/empty ratios with the targets.
#
#   bench/startup/run.sh            # 3 warm-up runs and 30 measured runs of each
#   BENCH_RUNS=30 BENCH_WARMUPS=5 BENCH_BUILD_DIR=/tmp/bb bench/startup/run.sh
#
# Installs what it needs (the game's build packages, xvfb, libxcb1-dev) when it is missing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=${BENCH_BUILD_DIR:-$repo/build-bench}
runs=${BENCH_RUNS:-30}
warmups=${BENCH_WARMUPS:-3}

source "$repo/scripts/packages.sh"
"$repo/scripts/ensure-packages.sh" "${RUN_PACKAGES[@]}" xvfb xauth libxcb1-dev

echo "Building the game (Release) and the benchmark's programs in $build ..."
cmake -S "$repo" -B "$build/game" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTREVAK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build/game" --target trevak >/dev/null
cmake -S "$here" -B "$build/tools" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/tools" >/dev/null

game=$build/game/trevak
empty=$build/tools/empty_window
probe=$build/tools/startup_probe

source "$here/display.sh"
measure() { "${bare_env[@]}" "$probe" "$1"; }

echo "Warming up ($warmups runs of each) ..."
for _ in $(seq "$warmups"); do
  measure "$game" >/dev/null
  measure "$empty" >/dev/null
done
echo "Measuring ($runs runs of each, alternately; about $((runs * 2 * 4)) s) ..."
: >"$work/game"; : >"$work/empty"
# Which of the two goes first changes every round, so that neither always follows the other.
for round in $(seq "$runs"); do
  if ((round % 2)); then
    measure "$game" >>"$work/game"
    measure "$empty" >>"$work/empty"
  else
    measure "$empty" >>"$work/empty"
    measure "$game" >>"$work/game"
  fi
done

# summary FILE KEY [DIVISOR] -> "median min max"
summary() {
  grep -o "$2=[-0-9.]*" "$1" | cut -d= -f2 | sort -g |
    awk -v d="${3:-1}" '{ v[NR] = $1 / d }
      END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.2f %.2f %.2f\n", m, v[1], v[NR] }'
}

row() {  # label key divisor
  read -r gm gmin gmax <<<"$(summary "$work/game" "$2" "${3:-1}")"
  read -r em emin emax <<<"$(summary "$work/empty" "$2" "${3:-1}")"
  ratio=$(awk -v g="$gm" -v e="$em" 'BEGIN { if (e > 0) printf "%.2f", g / e; else print "-" }')
  printf "%-30s %9s %19s %9s %19s %7s\n" "$1" "$gm" "$gmin..$gmax" "$em" "$emin..$emax" "$ratio"
}

echo
printf "%-30s %9s %19s %9s %19s %7s\n" "" "game" "range" "empty" "range" "ratio"
row "start-up to painted [ms]" startup_ms
row "start-up to mapped [ms]" mapped_ms
row "CPU used to start [ms]" startup_cpu_ms
row "Anonymous memory [MiB]" anon_kib 1024
row "Private_Dirty [MiB]" private_dirty_kib 1024
row "Rss [MiB]" rss_kib 1024
row "idle CPU in 2 s [ticks]" idle_ticks
row "idle CPU in 2 s [us]" idle_cpu_us
row "idle context switches in 2 s" idle_switches

# The two starts of a round run seconds apart, so the machine's slower and faster spells
# touch both alike: the median of the rounds' own ratios is the steadier comparison.
paste -d' ' <(grep -o 'startup_ms=[0-9.]*' "$work/game" | cut -d= -f2) \
            <(grep -o 'startup_ms=[0-9.]*' "$work/empty" | cut -d= -f2) |
  awk '{ print $1 / $2 }' | sort -g |
  awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
         printf "%-30s %9s %19s %9s %19s %7.2f\n", "start-up, round by round", "", "", "", "", m }'

verdict() { if awk "BEGIN { exit !($1) }"; then echo "met"; else echo "MISSED"; fi; }
read -r g_start _ <<<"$(summary "$work/game" startup_ms)"
read -r e_start _ <<<"$(summary "$work/empty" startup_ms)"
read -r g_anon _ <<<"$(summary "$work/game" anon_kib 1024)"
read -r e_anon _ <<<"$(summary "$work/empty" anon_kib 1024)"
read -r _ _ g_ticks_max <<<"$(summary "$work/game" idle_ticks)"

echo
echo "Targets (medians; memory is the Anonymous line of /proc/PID/smaps_rollup, 1 s after painting):"
echo "  start-up <= 1.10 x empty:     $(awk -v g="$g_start" -v e="$e_start" 'BEGIN { printf "%.2f x", g / e }')  $(verdict "$g_start <= 1.10 * $e_start")"
echo "  memory   <= 1.5 x empty:      $(awk -v g="$g_anon" -v e="$e_anon" 'BEGIN { printf "%.2f x", g / e }')  $(verdict "$g_anon <= 1.5 * $e_anon")"
echo "  memory   <= 4.5 MiB:          $g_anon MiB  $(verdict "$g_anon <= 4.5")"
echo "  idle CPU zero (every run):    max $g_ticks_max ticks  $(verdict "$g_ticks_max == 0")"
