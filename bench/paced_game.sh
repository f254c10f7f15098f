#!/usr/bin/env bash
# A whole 22-ball game on the real window at reelspeed 10 and 20, measured against the sum of the
# pauses the engine asks for (target: within 3%). Runs under a virtual display.
#   bench/paced_game.sh [build-dir] [--games N] [--speeds 10,20]
# An existing build directory is used as it is configured; a new one is a release build.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
shift || true
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target bench_paced_game -j2 >/dev/null
program="$build/obj/keno22/bench_paced_game"
export SDL_AUDIODRIVER=dummy
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$config/data"
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
else
  "$program" "$@"
fi
