#!/usr/bin/env bash
# The game's weight and speed beside a minimal Qt window measured in the same run: first painted
# frame, shared libraries, memory and idle CPU under Xvfb; sound-cue latency on SDL's disk driver;
# the engine's settle-at-once games per second; then the paced games. Ends with a summary of the
# figures and their targets. Not a test: the figures depend on the machine and its load.
# Usage: bench/startup_and_pace.sh [BUILD_DIR]   (default: build; needs targets keno22, minimal_window,
#        sound_latency, settle_rate). KENO_BENCH_RUNS (15), KENO_BENCH_IDLE_SECONDS (20),
#        KENO_BENCH_PACED=0 skips the paced games.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
game=$build/keno22
minimal=$build/bench/minimal_window
for program in "$game" "$minimal" "$build/bench/sound_latency" "$build/bench/settle_rate"; do
  [[ -x $program ]] || { echo "missing $program: cmake --build $build --target keno22 minimal_window sound_latency settle_rate" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
# Prints a part's output and keeps its summary rows.
keep_rows() { tee >(grep '^row: ' >>"$rows") | grep -v '^row: '; }

echo "== machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== start-up (Xvfb 1280x1024x24; keno22 and the minimal window alternately)"
xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$here/measure_startup.py" "$game" "$minimal" | keep_rows

echo
echo "== sound-cue latency (SDL disk driver: request to first non-silent output frame)"
"$build/bench/sound_latency" 2>/dev/null | keep_rows

echo
echo "== engine: settle-at-once 22-ball games (CPU time of one thread)"
"$build/bench/settle_rate" | keep_rows

if [[ ${KENO_BENCH_PACED:-1} != 0 ]]; then
  # The paced-game parts: a script of that name, when present, gets the build folder.
  if [[ -x $here/paced_game.sh ]]; then
    echo
    echo "== paced game"
    "$here/paced_game.sh" "$build"
  fi
  if [[ -x $here/paced_game20.sh ]]; then
    echo
    echo "== paced 20-ball game"
    "$here/paced_game20.sh" "$build"
  fi
fi

sleep 0.2  # the tee'd row collectors finish writing
echo
echo "== summary (load average $(cut -d' ' -f1-3 /proc/loadavg) at the end)"
printf '%-72s | %-34s | %s\n' "figure" "measured" "target"
sed 's/^row: //' "$rows" | while IFS='|' read -r figure measured target; do
  printf '%-72s | %-34s | %s\n' "$(echo $figure)" "$(echo $measured)" "$(echo $target)"
done
