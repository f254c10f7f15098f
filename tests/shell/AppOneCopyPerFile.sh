#!/usr/bin/env bash
# One copy of the real program per settings file, whatever the path to it: a second start through
# a symbolic link to the config folder, with another runtime folder, or with another temporary
# folder too, must end by itself with status 0 and leave the records alone while the first goes
# on. A runtime folder that is full (a small tmpfs, as root) or is a file must not pass for a
# running copy; a settings folder that cannot hold the lock starts the game with a plain warning,
# and a second copy then still finds the first.
# Usage: AppOneCopyPerFile.sh PATH/TO/keno22
set -u
program=${1:?usage: $0 PATH/TO/keno22}
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "SKIP: xvfb-run/xwininfo missing"; exit 77; }

work=$(mktemp -d)
cleanup() { mountpoint -q "$work/full" && umount "$work/full"; rm -rf "$work"; }
trap cleanup EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME=$work/data
mkdir -p "$work/run" "$work/run2" "$work/tmp2" "$work/full" && chmod 700 "$work/run" "$work/run2"
: >"$work/runfile"
# A runtime folder with no room left, where the system lets us make one.
full=no
if [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=64k,mode=700 tmpfs "$work/full" 2>/dev/null; then
  dd if=/dev/zero of="$work/full/fill" bs=4k 2>/dev/null
  full=yes
fi

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
program=$1 work=$2
waitwin() {
  for _ in $(seq 1 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Current Player' && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
# pair NAME FIRST_CONFIG_HOME SECOND_CONFIG_HOME "FIRST ENV" "SECOND ENV": the first copy, then a
# second one beside it. In "link" the folder plinx is a symbolic link to the one in "config".
pair() {
  local name=$1 first
  rm -rf "$work/config" "$work/blocked" "$work/link"
  mkdir -p "$work/config/plinx" "$work/blocked" "$work/link" && : >"$work/blocked/plinx"
  ln -s "$work/config/plinx" "$work/link/plinx"
  printf '[player1]\nbank=77\ncurrentplayer=First\n' >"$work/config/plinx/keno22.ini"
  env XDG_CONFIG_HOME="$work/$2" XDG_RUNTIME_DIR="$work/run" $4 "$program" >"$work/$name.first" 2>&1 &
  first=$!
  if ! waitwin "$first"; then echo "$name first=nowindow"; kill -KILL "$first"; return; fi
  local before; before=$(md5sum <"$work/config/plinx/keno22.ini")
  env XDG_CONFIG_HOME="$work/$3" XDG_RUNTIME_DIR="$work/run" $5 timeout 20 "$program" >"$work/$name.second" 2>&1
  echo "$name second=$?"
  [[ $before == "$(md5sum <"$work/config/plinx/keno22.ini")" ]] && echo "$name records=untouched" || echo "$name records=changed"
  kill -0 "$first" 2>/dev/null && echo "$name first=running" || echo "$name first=gone"
  kill -TERM "$first"; wait "$first"; echo "$name firstexit=$?"
}
pair linked-folder config link "" ""
pair other-runtime config config "" "XDG_RUNTIME_DIR=$work/run2"
pair linked-other-runtime-and-tmp config link "" "XDG_RUNTIME_DIR=$work/run2 TMPDIR=$work/tmp2"
pair runtime-is-a-file config config "XDG_RUNTIME_DIR=$work/runfile" ""
[[ $3 == yes ]] && pair runtime-full config config "XDG_RUNTIME_DIR=$work/full" ""
pair no-lock-possible blocked blocked "" ""
INNER
chmod +x "$work/run.sh"
report=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$program" "$work" "$full")
echo "$report"
for log in "$work"/*.first "$work"/*.second; do echo "--- $(basename "$log"):"; cat "$log"; done

failed=0
fail() { echo "FAIL: $*"; failed=1; }
names="linked-folder other-runtime linked-other-runtime-and-tmp runtime-is-a-file no-lock-possible"
[[ $full == yes ]] && names+=" runtime-full" || echo "NOTE: no full tmpfs runtime folder (needs root)"
for name in $names; do
  grep -q "^$name second=0$" <<<"$report" || fail "$name: the second copy did not end by itself with status 0"
  grep -q 'already running' "$work/$name.second" || fail "$name: the second copy did not say why it ended"
  grep -q "^$name first=running$" <<<"$report" || fail "$name: the first copy did not go on"
  grep -q "^$name firstexit=0$" <<<"$report" || fail "$name: the first copy did not end cleanly"
  grep -q 'already running' "$work/$name.first" && fail "$name: the first copy took itself for a second one"
done
for name in linked-folder other-runtime linked-other-runtime-and-tmp runtime-is-a-file runtime-full; do
  grep -q "^$name records=changed$" <<<"$report" && fail "$name: the second copy changed the records"
done
grep -q 'cannot make sure that only one copy' "$work/no-lock-possible.first" ||
  fail "no-lock-possible: the first copy did not say that it runs unguarded"
grep -q 'could not be saved' "$work/no-lock-possible.first" || fail "no-lock-possible: the failed save was not reported"
[[ $failed -eq 0 ]] && echo PASS
exit $failed
