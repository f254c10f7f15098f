#!/usr/bin/env bash
# Memory over a long evening of play on each real game window: N games (default 2,000) at speed 1,
# resident memory and malloc heap at game 100, 1,000 and N, with the growth per 1,000 games after
# the first 100 (target: under 0.2 MiB). Runs under a virtual display.
#   bench/memory_soak.sh [build-dir] [--games N] [--speed S] [--dialogs K] [--trim] [--window 22|20]
# Without --window both windows are measured, one process each.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
shift || true
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target bench_memory_soak -j2 >/dev/null
program="$build/bench/bench_memory_soak"
export SDL_AUDIODRIVER=dummy
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config"
export XDG_DATA_HOME="$config"  # the game history too stays out of the real one
windows=(22 20)
for arg in "$@"; do [[ $arg == --window ]] && windows=(); done
run() {
  if [[ -z "${DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
  else
    "$program" "$@"
  fi
}
if [[ ${#windows[@]} -eq 0 ]]; then
  run "$@"
else
  for window in "${windows[@]}"; do run --window "$window" "$@"; echo; done
fi
