#!/usr/bin/env bash
# A save on a full disk (a small tmpfs holds the settings folder): the game says why it could not
# save ("No space left on device"), ends normally, and the file keeps the complete old record.
# Usage: AppFullDisk.sh PATH/TO/keno22   (as root, to mount the tmpfs; exits 77 otherwise)
set -u
program=${1:?usage: $0 PATH/TO/keno22}
command -v xvfb-run >/dev/null && command -v xwininfo >/dev/null || { echo "SKIP: xvfb-run/xwininfo missing"; exit 77; }
[[ $(id -u) -eq 0 ]] || { echo "SKIP: mounting a tmpfs needs root"; exit 77; }

work=$(mktemp -d)
mkdir -p "$work/config" "$work/run" && chmod 700 "$work/run"
mount -t tmpfs -o size=256k tmpfs "$work/config" || { rmdir "$work/config" "$work/run" "$work"; echo "SKIP: no tmpfs"; exit 77; }
trap 'umount "$work/config"; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
ini=$XDG_CONFIG_HOME/plinx/keno22.ini
mkdir -p "$(dirname "$ini")"
old='[player1]\namountinvested=40\nbank=77\ncoinsbet=2\ncurrentplayer=Kim\ngames=3\nreelspeed=10\ntotal=5\nwager=6\n'
printf "$old" >"$ini"

cat >"$work/run.sh" <<'INNER'
#!/usr/bin/env bash
"$1" >"$2/out.log" 2>&1 &
pid=$!
for _ in $(seq 1 300); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Current Player' && break
  sleep 0.1
done
# Whatever room is left goes now.
dd if=/dev/zero of="$XDG_CONFIG_HOME/fill" bs=4k 2>/dev/null
kill -TERM "$pid"; wait "$pid"; echo "status=$?"
INNER
chmod +x "$work/run.sh"
report=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" "$program" "$work")
echo "$report"; echo "--- program output:"; cat "$work/out.log"

fail() { echo "FAIL: $*"; exit 1; }
grep -q '^status=0$' <<<"$report" || fail "the game did not end normally"
grep -q 'could not be saved' "$work/out.log" || fail "the failed save was not reported"
grep -q 'No space left on device' "$work/out.log" || fail "the report does not name the reason"
[[ $(cat "$ini") == "$(printf "$old")" ]] || fail "the old record did not stay as it was: $(cat "$ini")"
echo PASS
