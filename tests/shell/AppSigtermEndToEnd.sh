#!/usr/bin/env bash
# The real program under Xvfb: once its window is up, SIGTERM must end it with status 0 and a
# complete record of player slot 1 in the settings file.
# Usage: AppSigtermEndToEnd.sh PATH/TO/keno22
set -u
program=${1:?usage: $0 PATH/TO/keno22}

for tool in xvfb-run xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# Inside the X server: start the game, wait (bounded) for its window, send SIGTERM, report.
cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
"$1" >"$2/out.log" 2>&1 &
pid=$!
up=no
for _ in $(seq 1 300); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Current Player'; then up=yes; break; fi
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
echo "window=$up"
kill -TERM "$pid" 2>/dev/null
# Bounded wait for the exit: a hung shut-down is a failure, not a hung test.
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "status=hung"
  kill -KILL "$pid"
fi
wait "$pid"
echo "status=$?"
INNER
chmod +x "$work/run.sh"

report=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$program" "$work")
echo "$report"
echo "--- program output:"; cat "$work/out.log" 2>/dev/null

fail() { echo "FAIL: $*"; exit 1; }
grep -q '^window=yes$' <<<"$report" || fail "the window never came up"
grep -q '^status=0$' <<<"$report" || fail "the program did not end with status 0 on SIGTERM"

ini=$XDG_CONFIG_HOME/plinx/keno22.ini
[[ -f $ini ]] || fail "no settings file at $ini"
echo "--- $ini:"; cat "$ini"
section=$(awk '/^\[/{in1 = ($0 == "[player1]")} in1 && /=/{sub(/=.*/, ""); print}' "$ini" | sort | tr '\n' ' ')
expected="amountinvested bank coinsbet currentplayer games reelspeed total wager "
[[ $section == "$expected" ]] || fail "[player1] holds '$section', expected '$expected'"
echo "PASS"
