#!/usr/bin/env bash
# The whole-machine soak for longer than CI runs it: N random player actions (default 2,000,000),
# checked after every one; prints actions per second. A failure names the seed and the action.
#   bench/soak.sh [N] [seed]          (KENO_SOAK_BUILD: build directory, default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
actions="${1:-2000000}"
seed="${2:-20240611}"
build="${KENO_SOAK_BUILD:-build-bench}"
source bench/common.sh
bench_build "$build" test_soak
KENO_SOAK_ACTIONS="$actions" KENO_SOAK_SEED="$seed" "$build/obj/tests/soak/test_soak" --gtest_brief=1
