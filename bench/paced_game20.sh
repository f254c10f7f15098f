#!/usr/bin/env bash
# A whole 20-ball game on the real window at reelspeed 1, 10 and 20, measured against the sum of
# the pauses the engine asks for (target: within 3%). Runs under a virtual display.
#   bench/paced_game20.sh [build-dir] [--games N] [--speeds 1,10,20]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
build="${1:-build-bench}"
shift || true
bench_build "$build" bench_paced_game20
bench_private_home
bench_on_display "$build/obj/keno20/bench_paced_game20" "$@"
