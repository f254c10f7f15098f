#!/usr/bin/env bash
# Installs what is missing, builds a release build into build/ and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --target keno22
exec build/keno22 "$@"
