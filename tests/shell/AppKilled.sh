#!/usr/bin/env bash
# kill -9 between games: the settings file stays exactly as the last save left it, and the next
# start runs normally (the dead copy's lock does not lock the player out).
# Usage: AppKilled.sh PATH/TO/keno22
set -u
program=${1:?usage: $0 PATH/TO/keno22}
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "SKIP: xvfb-run/xwininfo missing"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
mkdir -p "$XDG_CONFIG_HOME/plinx" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
ini=$XDG_CONFIG_HOME/plinx/keno22.ini
printf '[player1]\nbank=120\ncoinsbet=2\ncurrentplayer=Kim\n' >"$ini"
cp "$ini" "$work/saved.ini"

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
waitwin() { for _ in $(seq 1 300); do xwininfo -root -tree 2>/dev/null | grep -q '"Current Player' && return 0; sleep 0.1; done; return 1; }
"$1" >"$2/first.log" 2>&1 & pid=$!
waitwin && echo "up=1"
kill -KILL "$pid"; wait "$pid" 2>/dev/null
"$1" >"$2/second.log" 2>&1 & pid=$!
waitwin && echo "up=2"
kill -TERM "$pid"; wait "$pid"; echo "exit=$?"
INNER
chmod +x "$work/run.sh"
before=$(cat "$ini")
report=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$program" "$work")
echo "$report"

fail() { echo "FAIL: $*"; exit 1; }
grep -q '^up=1$' <<<"$report" || fail "the first start never showed its window"
grep -q '^up=2$' <<<"$report" || fail "after kill -9 the game did not start again"
grep -q '^exit=0$' <<<"$report" || fail "the second start did not end cleanly"
ls "$XDG_CONFIG_HOME/plinx" | grep -v '^keno22.ini$' && fail "stray files beside the settings file"
grep -q '^bank=120$' "$ini" && grep -q '^coinsbet=2$' "$ini" || fail "the record changed: $(cat "$ini")"
echo PASS
