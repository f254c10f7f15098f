#!/usr/bin/env bash
# One save of a record and the game's start-up and shut-down with a 40 MB settings file, beside a
# small one. Not a test: the figures depend on the machine.
# Usage: bench/records_file.sh [BUILD_DIR]   (default: build; needs targets keno22, records_save)
# KENO_BENCH_SETTINGS_MB sets the size (default 40), KENO_BENCH_RUNS the runs per figure (default 3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
for program in "$build/keno22" "$build/bench/records_save"; do
  [[ -x $program ]] || { echo "missing $program: cmake --build $build --target keno22 records_save" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is not installed" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$here/records_file.py" "$build"
