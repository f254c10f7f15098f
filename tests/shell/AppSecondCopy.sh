#!/usr/bin/env bash
# Two copies over one settings file: the second must end at once without touching the records,
# and the first must go on and save its own at exit.
# Usage: AppSecondCopy.sh PATH/TO/keno22
set -u
program=${1:?usage: $0 PATH/TO/keno22}
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "SKIP: xvfb-run/xwininfo missing"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/plinx" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# A record the second copy must leave exactly as it is.
printf '[player1]\nbank=77\ncurrentplayer=First\n' >"$XDG_CONFIG_HOME/plinx/keno22.ini"

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
"$1" >"$2/first.log" 2>&1 &
first=$!
for _ in $(seq 1 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Current Player' && break
  sleep 0.1
done
before=$(md5sum <"$XDG_CONFIG_HOME/plinx/keno22.ini")
timeout 20 "$1" >"$2/second.log" 2>&1
echo "second=$?"
after=$(md5sum <"$XDG_CONFIG_HOME/plinx/keno22.ini")
[[ $before == "$after" ]] && echo "records=untouched" || echo "records=changed"
kill -0 "$first" 2>/dev/null && echo "first=running" || echo "first=gone"
kill -TERM "$first"; wait "$first"; echo "firstexit=$?"
INNER
chmod +x "$work/run.sh"
report=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$program" "$work")
echo "$report"; echo "--- second copy said:"; cat "$work/second.log"

fail() { echo "FAIL: $*"; exit 1; }
grep -q '^second=0$' <<<"$report" || fail "the second copy did not end by itself with status 0"
grep -q 'already running' "$work/second.log" || fail "the second copy did not say why it ended"
grep -q '^records=untouched$' <<<"$report" || fail "the second copy changed the records"
grep -q '^first=running$' <<<"$report" || fail "the first copy did not survive the second"
grep -q '^firstexit=0$' <<<"$report" || fail "the first copy did not end cleanly"
grep -q '^bank=77$' "$XDG_CONFIG_HOME/plinx/keno22.ini" || fail "the first copy's record was not kept"
echo PASS
