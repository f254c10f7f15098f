#!/usr/bin/env bash
# What keeping the game history adds to a paced game: the hand-over of a settled game to the
# writing thread (target: well under 1 ms), the writing thread's own time per game on a fresh
# file and on a slot at its bound of 100,000 games, and the screens' queries on a full slot.
#   bench/history_write.sh [build-dir] [--games N] [--folder DIR] [--skip-full]
# The file goes to a temporary folder on the disk of TMPDIR unless --folder names one.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
build="${1:-build-bench}"
shift || true
bench_build "$build" bench_history_write
"$build/obj/history/bench_history_write" "$@"
