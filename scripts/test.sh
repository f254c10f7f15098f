#!/usr/bin/env bash
# Installs what is missing (game and test packages), builds into build/ and runs the whole suite.
# A virtual display is provided when none is set. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKENO_BUILD_TESTS=ON
cmake --build build --parallel "$(nproc)"
cd build
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --parallel "$(nproc)"
fi
exec ctest --output-on-failure --parallel "$(nproc)"
