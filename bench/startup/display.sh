# Sourced by the start-up benchmarks: a scratch folder and one private Xvfb with a black
# root (the probe reads an unpainted window as black), both removed on exit. Sets `work`,
# `display` and `bare_env`, the same bare environment for every program measured: no desktop
# theme, no scaling, C locale.

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
[[ -s $work/display ]] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
display=:$(head -n1 "$work/display")

mkdir -m 700 -p "$work/home" "$work/runtime"
bare_env=(env -i PATH=/usr/bin:/bin DISPLAY="$display" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
          QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8)
