#!/usr/bin/env bash
# A whole 22-ball game on the real window at reelspeed 10 and 20, measured against the sum of the
# pauses the engine asks for (target: within 3%). Runs under a virtual display.
#   bench/paced_game.sh [build-dir] [--games N] [--speeds 10,20]
# An existing build directory is used as it is configured; a new one is a release build.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
build="${1:-build-bench}"
shift || true
bench_build "$build" bench_paced_game
bench_private_home
bench_on_display "$build/obj/keno22/bench_paced_game" "$@"
