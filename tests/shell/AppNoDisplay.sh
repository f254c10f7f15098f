#!/usr/bin/env bash
# Every windowing platform that cannot start gets the plain "no display" line and status 1, never
# the toolkit's abort (status 134): a Wayland socket that is not there, a Wayland platform with no
# server (or no plugin), an X display nobody serves, a platform that does not exist.
# Usage: AppNoDisplay.sh PATH/TO/keno22
set -u
program=${1:?usage: $0 PATH/TO/keno22}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/run"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run SDL_AUDIODRIVER=dummy
display=99
while [[ -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done

failed=0
while IFS='|' read -r what settings; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $settings timeout 30 "$program" 2>&1)
  status=$?
  echo "--- $what ($settings): status $status"
  echo "$out"
  if [[ $status -ne 1 ]] || ! grep -q 'no display' <<<"$out"; then
    echo "FAIL: $what: expected status 1 and the 'no display' line"
    failed=1
  fi
done <<ROWS
a Wayland socket that is not there, no DISPLAY|WAYLAND_DISPLAY=keno-missing-$$
a Wayland socket that is not there, by its full path|WAYLAND_DISPLAY=$work/run/nothing-here
the Wayland platform chosen with no server|QT_QPA_PLATFORM=wayland
the Wayland platform chosen while DISPLAY names no server|QT_QPA_PLATFORM=wayland DISPLAY=:$display
an X display nobody serves|DISPLAY=:$display
the X platform chosen with no DISPLAY|QT_QPA_PLATFORM=xcb
a platform that does not exist|QT_QPA_PLATFORM=nonesuch
ROWS
[[ $failed -eq 0 ]] && echo PASS
exit $failed
