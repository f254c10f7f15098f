#!/usr/bin/env bash
# A whole 20-ball game on the real window at reelspeed 1, 10 and 20, measured against the sum of
# the pauses the engine asks for (target: within 3%). Runs under a virtual display.
#   bench/paced_game20.sh [build-dir] [--games N] [--speeds 1,10,20]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
shift || true
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target bench_paced_game20 -j2 >/dev/null
program="$build/obj/keno20/bench_paced_game20"
export SDL_AUDIODRIVER=dummy
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$config/data"
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
else
  "$program" "$@"
fi
