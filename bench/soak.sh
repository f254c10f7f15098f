#!/usr/bin/env bash
# The whole-machine soak for longer than CI runs it: N random player actions (default 2,000,000),
# checked after every one; prints actions per second. A failure names the seed and the action.
#   bench/soak.sh [N] [seed]          (KENO_SOAK_BUILD: build directory, default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
actions="${1:-2000000}"
seed="${2:-20240611}"
build="${KENO_SOAK_BUILD:-build-bench}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target test_soak -j2 >/dev/null
KENO_SOAK_ACTIONS="$actions" KENO_SOAK_SEED="$seed" "$build/obj/tests/soak/test_soak" --gtest_brief=1
