#!/usr/bin/env bash
# Start-up bench of the real game window under Xvfb, beside a minimal Qt window measured in the
# same run: first painted frame, peak RSS, idle CPU. Not a test: the figures depend on the machine.
# Usage: bench/startup_and_pace.sh [BUILD_DIR]   (default: build; needs targets keno22, minimal_window, sound_latency)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
game=$build/keno22
minimal=$build/bench/minimal_window
for program in "$game" "$minimal"; do
  [[ -x $program ]] || { echo "missing $program: cmake --build $build --target keno22 minimal_window" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }

echo "== start-up (Xvfb 1280x1024x24)"
xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$here/measure_startup.py" "$game" "$minimal"

# The paced-game part: a script of that name, when present, gets the build folder.
if [[ -x $here/paced_game.sh ]]; then
  echo
  echo "== paced game"
  "$here/paced_game.sh" "$build"
fi

if [[ -x $build/bench/sound_latency ]]; then
  echo
  echo "== sound-cue latency (SDL disk driver: request to first non-silent output frame)"
  "$build/bench/sound_latency" 2>/dev/null
fi
if [[ -x $here/paced_game20.sh ]]; then
  echo
  echo "== paced 20-ball game"
  "$here/paced_game20.sh" "$build"
fi
