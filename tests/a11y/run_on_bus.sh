#!/usr/bin/env bash
# Runs a Python test against the game over a private D-Bus session (the accessibility bus is
# started on demand inside it). The script starts its own Xvfb and the game.
# Usage: run_on_bus.sh SCRIPT GAME_PROGRAM [ARGS...]
set -euo pipefail
script=$1
shift
missing=()
for tool in dbus-run-session Xvfb /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
# pyatspi is a Debian package of the system Python, not of any other one on the PATH.
/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || missing+=("python3-pyatspi")
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "FAIL: missing ${missing[*]}; scripts/deps.sh --test installs them" >&2
  exit 1
fi
# Never reach the desktop's own buses from a test.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS NO_AT_BRIDGE
export PYTHONDONTWRITEBYTECODE=1
exec dbus-run-session -- /usr/bin/python3 "$script" "$@"
