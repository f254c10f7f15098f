#!/usr/bin/env bash
# Fuzzes the settings-file reader with libFuzzer (clang) for SECONDS (default 600), one job, niced,
# starting from the kept corpus; new findings go to a scratch corpus, crashes to the current folder.
# Keep what is worth keeping with:  fuzz_settings_file -merge=1 tests/fuzz/corpus <scratch corpus>
#   tests/fuzz/run.sh [seconds] [scratch corpus dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-600}"
scratch="${2:-$(mktemp -d)}"
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ -n "${missing[*]:-}" ]]; then
  [[ $(id -u) -ne 0 ]] && sudo=sudo || sudo=
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [[ ! -f build-fuzz/CMakeCache.txt ]]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DKENO_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz --target fuzz_settings_file -j2 >/dev/null
cp -n tests/fuzz/corpus/* "$scratch"/
echo "scratch corpus: $scratch"
# tmpfs keeps the settings writes (lock, temporary file, sync, rename) from waiting on the disk.
[[ -d /dev/shm ]] && export TMPDIR=/dev/shm
exec nice -n 10 build-fuzz/obj/tests/fuzz/fuzz_settings_file -max_total_time="$seconds" -jobs=1 \
  -print_final_stats=1 "$scratch"
