#!/usr/bin/env bash
# Installs the game's packages when missing, builds the game alone (no tests) into build/ and starts it.
# Arguments are passed to the game (keno22 --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# The test suite is built only by scripts/test.sh; a build folder it already set up keeps its tests.
tests=OFF
grep -qs '^KENO_BUILD_TESTS:BOOL=ON$' build/CMakeCache.txt && tests=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKENO_BUILD_TESTS=$tests
cmake --build build --target keno22
exec build/keno22 "$@"
