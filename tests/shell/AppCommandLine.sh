#!/usr/bin/env bash
# The real program's command line, with no display at all: --help and --version answer and end
# with status 0 (the version is the build's), a usage error ends with status 2 and says why.
# Usage: AppCommandLine.sh PATH/TO/keno22 VERSION
set -u
program=${1:?usage: $0 PATH/TO/keno22 VERSION}
version=${2:?usage: $0 PATH/TO/keno22 VERSION}
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
mkdir "$XDG_CONFIG_HOME"

failures=0
# check ARGS STATUS STREAM PATTERN: run the program with ARGS (one word list), expect STATUS and
# PATTERN (grep -E) on STREAM (out or err), and nothing on the other stream.
check() {
  local args=$1 status=$2 stream=$3 pattern=$4 out err rc
  out=$("$program" $args 2>"$work/err"); rc=$?
  err=$(cat "$work/err")
  local shown other
  if [[ $stream == out ]]; then shown=$out; other=$err; else shown=$err; other=$out; fi
  if [[ $rc -ne $status ]] || ! grep -Eq -- "$pattern" <<<"$shown" || [[ -n $other ]]; then
    echo "FAIL: keno22 $args: status $rc (want $status), std$stream should match '$pattern'"
    echo "  stdout: $out"; echo "  stderr: $err"
    failures=$((failures + 1))
  else
    echo "ok: keno22 $args"
  fi
}

check "--help" 0 out "^Usage: keno22 \[options\]"
check "-h" 0 out "--version"
check "--version" 0 out "^keno22 ${version//./\\.}$"
check "--bogus" 2 err "Unknown option 'bogus'"
check "stray" 2 err "unexpected argument 'stray'"
# Nothing on the command line is read as a request: the plain start still meets the display check.
check "" 1 err "no display"
[[ -z $(ls -A "$XDG_CONFIG_HOME") ]] || { echo "FAIL: answering the command line wrote settings"; failures=$((failures + 1)); }
exit $((failures > 0))
