#!/usr/bin/env bash
# Memory over a long evening of play on each real game window: N games (default 2,000) at speed 1,
# resident memory and malloc heap at game 100, 1,000 and N, with the growth per 1,000 games after
# the first 100 (target: under 0.2 MiB). Runs under a virtual display.
#   bench/memory_soak.sh [build-dir] [--games N] [--speed S] [--dialogs K] [--trim] [--window 22|20]
# Without --window both windows are measured, one process each.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
build="${1:-build-bench}"
shift || true
bench_build "$build" bench_memory_soak
program="$build/bench/bench_memory_soak"
bench_private_home
windows=(22 20)
for arg in "$@"; do [[ $arg == --window ]] && windows=(); done
run() { bench_on_display "$program" "$@"; }
if [[ ${#windows[@]} -eq 0 ]]; then
  run "$@"
else
  for window in "${windows[@]}"; do run --window "$window" "$@"; echo; done
fi
