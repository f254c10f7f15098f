#!/usr/bin/env bash
# Fresh-machine check: from a bare Debian 12 to playing, the way the README tells a newcomer.
#
# Makes a bare Debian 12 (debootstrap --variant=minbase bookworm: no compiler, no sudo, no X), clones
# this checkout's committed HEAD into /root/keno22 there and runs the README's own commands (read
# from README.md, so the check follows the README):
#   play      the play command with no display: it must install the game's packages, build the
#             game and stop at the game's display check ("no display", status 1);
#   frame     the play command again with a display (an Xvfb on the host, its socket shared through
#             /tmp): the game must paint its first frame (KENO_BENCH_FIRST_FRAME=1 makes it print
#             "first-frame ..."), then SIGTERM must end it with status 0;
#   test      the test command: installs the test packages, builds and runs the whole suite;
#   package   the package command: keno22_<version>_amd64.deb;
#   install   a second bare Debian 12: `apt-get install ./keno22_*.deb` must pull in what the game
#             needs; then, as an ordinary user, keno22 --version and --help, the display check, and
#             the first frame on the Xvfb.
# Each step's time is printed as it ends and again in a summary.
#
# Needs root, Debian's package registry, git, about 4 GB in the work folder and, on 2 cores, about
# an hour (most of it the test suite). It installs debootstrap and xvfb on the host when missing.
# It is not part of .ci/run.
#
# Usage: tests/fresh_machine.sh [options] [WORK]
#   WORK              work folder, default /var/tmp/keno22-fresh-machine. Logs stay in WORK/logs
#                     and the package in WORK; the systems are removed at the end unless --keep.
#   --keep            keep both systems (unmounted) in WORK/play and WORK/install for looking into:
#                     chroot WORK/play /bin/bash (bind /proc, /dev etc. again first if needed).
#   --reuse-base      use WORK/base from an earlier --reuse-base run instead of a new debootstrap
#                     (and keep it for the next); each system is still a fresh copy of it.
#   --steps LIST      comma-separated subset of play,frame,test,package,install (default: all).
#                     frame needs play; install needs package or --deb.
#   --deb FILE        the package for the install step, instead of building one.
#   --mirror URL      Debian mirror for debootstrap (default http://deb.debian.org/debian).
#   --no-sanitize     run the test command with KENO_SANITIZE_PASS=0 (skips the sanitizer pass).
#   -v, --verbose     show each step's output as it runs (it always goes to WORK/logs/STEP.log).
#   -h, --help        this text.
# Exit status: 0 when every chosen step passed, 1 when one failed, 2 on a usage error.
set -uo pipefail

usage() { sed -n '2,/^set -uo/{/^set -uo/d;s/^# \{0,1\}//;p}' "$0"; }

checkout=$(cd "$(dirname "$0")/.." && pwd)
work=/var/tmp/keno22-fresh-machine
keep=no reuse_base=no verbose=no sanitize=1 deb_given=
mirror=http://deb.debian.org/debian
steps=play,frame,test,package,install
while [[ $# -gt 0 ]]; do
  case $1 in
    --keep) keep=yes ;;
    --reuse-base) reuse_base=yes ;;
    --steps) steps=${2:?--steps needs a list}; shift ;;
    --deb) deb_given=$(realpath "${2:?--deb needs a file}"); shift ;;
    --mirror) mirror=${2:?--mirror needs a URL}; shift ;;
    --no-sanitize) sanitize=0 ;;
    -v|--verbose) verbose=yes ;;
    -h|--help) usage; exit 0 ;;
    -*) echo "fresh_machine.sh: unknown option $1 (try --help)" >&2; exit 2 ;;
    *) work=$1 ;;
  esac
  shift
done
wants() { [[ ,$steps, == *,$1,* ]]; }
for s in ${steps//,/ }; do
  case $s in play|frame|test|package|install) ;; *) echo "fresh_machine.sh: unknown step $s" >&2; exit 2 ;; esac
done
if wants frame && ! wants play; then echo "fresh_machine.sh: the frame step needs the play step" >&2; exit 2; fi
if wants install && ! wants package && [[ -z $deb_given ]]; then
  echo "fresh_machine.sh: the install step needs the package step or --deb FILE" >&2; exit 2
fi
[[ $(id -u) -eq 0 ]] || { echo "fresh_machine.sh: must run as root (debootstrap, chroot, mount)" >&2; exit 2; }

mkdir -p "$work/logs"
work=$(realpath "$work")
logs=$work/logs
base=$work/base
systems=()       # chroot roots made by this run
xvfb_pid=
step_pid=
summary=()
failed=

log() { printf '[%(%H:%M:%S)T] %s\n' -1 "$*"; }

# ---- the systems: mounts, processes, removal -------------------------------------------------

# Everything mounted under ROOT, deepest first.
mounts_under() { awk -v root="$1" '$5 == root || index($5, root "/") == 1 {print $5}' /proc/self/mountinfo | sort -r; }

# Processes whose root is ROOT: what ran inside that system (build servers, dbus, the game).
processes_in() {
  local root=$1 link pid
  for link in /proc/[0-9]*/root; do
    pid=${link#/proc/}; pid=${pid%/root}
    [[ $(readlink "$link" 2>/dev/null) == "$root" ]] && echo "$pid"
  done
}

stop_processes_in() {
  local root=$1 pids
  pids=$(processes_in "$root")
  [[ -z $pids ]] && return 0
  kill -TERM $pids 2>/dev/null
  for _ in $(seq 1 50); do
    pids=$(processes_in "$root"); [[ -z $pids ]] && return 0
    sleep 0.1
  done
  kill -KILL $pids 2>/dev/null
  sleep 0.5
}

bind() {  # bind SOURCE TARGET: private, so nothing mounted under it ever reaches the host
  mkdir -p "$2" && mount --bind "$1" "$2" && mount --make-private "$2"
}

mount_system() {
  local root=$1
  # One /tmp with the host: X servers pick free display numbers by the lock files there, and the
  # host's Xvfb socket is found in /tmp/.X11-unix.
  bind /proc "$root/proc" && bind /sys "$root/sys" && bind /dev "$root/dev" &&
    bind /dev/pts "$root/dev/pts" && bind /dev/shm "$root/dev/shm" && bind /tmp "$root/tmp" &&
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

unmount_system() {
  local root=$1 m
  stop_processes_in "$root"
  for m in $(mounts_under "$root"); do umount -l "$m" 2>/dev/null; done
}

remove_system() {
  local root=$1
  unmount_system "$root"
  # Never delete through a mount that is still there: /dev, /tmp and the others are the host's own.
  if [[ -n $(mounts_under "$root") ]]; then
    log "NOT removing $root: still mounted: $(mounts_under "$root" | tr '\n' ' ')"
    return 1
  fi
  rm -rf --one-file-system "$root"
}

cleanup() {
  local root
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  for root in "${systems[@]}"; do
    if [[ $keep == yes ]]; then unmount_system "$root"; else remove_system "$root"; fi
  done
  if [[ $reuse_base != yes && $keep != yes && -d $base ]]; then remove_system "$base"; fi
}
trap cleanup EXIT
# An interrupt ends the running step (timeout passes the signal on to all of it), then cleans up.
trap 'log "interrupted"; [[ -n $step_pid ]] && kill -TERM "$step_pid" 2>/dev/null && wait "$step_pid"; exit 1' INT TERM

# Runs a command line in ROOT as a newcomer's shell would: a clean environment, root's home.
in_system() {
  local root=$1; shift
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

# ---- steps and their times -----------------------------------------------------------------

# step NAME TIMEOUT FUNCTION [ARGS]: runs FUNCTION with its output in logs/NAME.log, prints its time.
step() {
  local name=$1 limit=$2; shift 2
  local started=$SECONDS status
  log "step $name: started (log: $logs/$name.log)"
  # The body runs in a child bash (exported functions and variables) so that timeout can end it,
  # in the background so that an interrupt reaches the trap at once.
  if [[ $verbose == yes ]]; then
    timeout "$limit" bash -c '"$@"' "$name" "$@" </dev/null > >(tee "$logs/$name.log") 2>&1 &
  else
    timeout "$limit" bash -c '"$@"' "$name" "$@" </dev/null >"$logs/$name.log" 2>&1 &
  fi
  step_pid=$!
  wait "$step_pid"
  status=$?
  step_pid=
  local took=$((SECONDS - started))
  local line
  line=$(printf '%-15s %5d s  (%dm%02ds)' "$name" "$took" $((took / 60)) $((took % 60)))
  if [[ $status -eq 0 ]]; then
    summary+=("$line  ok")
    log "step $name: passed in ${took} s"
  else
    [[ $status -eq 124 ]] && line+="  TIMED OUT after $limit" || line+="  FAILED (status $status)"
    summary+=("$line")
    failed=$name
    log "step $name: FAILED (status $status) after ${took} s; the end of its log:"
    tail -n 40 "$logs/$name.log" | sed 's/^/    /'
  fi
  return "$status"
}

finish() {
  echo
  echo "Fresh-machine check, $(date -u '+%Y-%m-%d %H:%M UTC'), commit $commit:"
  printf '  %s\n' "${summary[@]}"
  if [[ -n $failed ]]; then echo "FAILED at step $failed (logs in $logs)"; exit 1; fi
  echo "All steps passed (logs in $logs)."
  exit 0
}

# The first line of the ```sh block under the README heading "## TITLE".
readme_command() {
  awk -v title="## $1" '
    $0 == title {in_section = 1; next}
    in_section && /^## / {exit}
    in_section && /^```sh/ {in_block = 1; next}
    in_block {print; exit}' "$checkout/README.md"
}

# ---- step bodies (run in a child bash; they see the variables passed by step) ----------------

make_base() {
  set -e
  if [[ -f $base/etc/debian_version ]]; then
    echo "reusing the base system in $base (Debian $(cat "$base/etc/debian_version"))"
  else
    rm -rf --one-file-system "$base"
    debootstrap --variant=minbase bookworm "$base" "$mirror"
  fi
  # Services must not start inside a chroot (dbus would, when the test packages arrive).
  printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
  chmod 755 "$base/usr/sbin/policy-rc.d"
}

copy_system() {  # copy_system ROOT
  set -e
  cp -a "$base" "$1"
  mount_system "$1"
}

play_without_display() {  # play_without_display ROOT COMMAND
  local root=$1 command=$2 out status
  git clone --quiet --no-hardlinks "$checkout" "$root/root/keno22" || return 1
  echo "cloned $(git -C "$root/root/keno22" log -1 --format='%h %s')"
  echo "+ $command   (no display)"
  in_system "$root" bash -c "cd /root/keno22 && $command"
  status=$?
  echo "status $status"
  # The game itself must have been built and started: it stops at its display check.
  [[ -x $root/root/keno22/build/keno22 ]] || { echo "no build/keno22 was built"; return 1; }
  [[ $status -eq 1 ]] || { echo "expected the display check's status 1"; return 1; }
  grep -q "obj/tests" "$root/root/keno22/build/build.ninja" && { echo "the play build includes the tests"; return 1; }
  return 0
}

# first_frame ROOT DISPLAY LABEL COMMAND...: starts the game (COMMAND), waits for its first frame,
# sends SIGTERM and expects status 0.
first_frame() {
  local root=$1 display=$2; shift 2
  local out=$logs/game-$$.out status
  echo "+ DISPLAY=$display $*"
  in_system "$root" DISPLAY="$display" KENO_BENCH_FIRST_FRAME=1 "$@" >"$out" 2>&1 &
  local pid=$! started=$SECONDS
  for _ in $(seq 1 1200); do
    grep -q '^first-frame ' "$out" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  cat "$out"
  if ! grep -q '^first-frame ' "$out"; then
    echo "no first frame"
    kill -TERM "$pid" 2>/dev/null
    wait "$pid"
    return 1
  fi
  echo "first frame $((SECONDS - started)) s after the command started"
  # The game is the process in ROOT called keno22; SIGTERM is its orderly quit.
  local game
  for game in $(processes_in "$root"); do
    [[ $(cat "/proc/$game/comm" 2>/dev/null) == keno22 ]] && kill -TERM "$game"
  done
  wait "$pid"
  status=$?
  echo "status on SIGTERM: $status"
  rm -f "$out"
  [[ $status -eq 0 ]]
}

run_tests() {  # run_tests ROOT COMMAND
  local root=$1 command=$2
  echo "+ KENO_SANITIZE_PASS=$sanitize $command"
  in_system "$root" KENO_SANITIZE_PASS="$sanitize" bash -c "cd /root/keno22 && $command"
}

make_package() {  # make_package ROOT COMMAND
  local root=$1 command=$2
  if [[ ! -d $root/root/keno22 ]]; then
    git clone --quiet --no-hardlinks "$checkout" "$root/root/keno22" || return 1
  fi
  echo "+ $command"
  in_system "$root" bash -c "cd /root/keno22 && $command" || return 1
  local deb
  deb=$(ls "$root"/root/keno22/keno22_*_amd64.deb 2>/dev/null | head -n 1)
  [[ -n $deb ]] || { echo "no keno22_*_amd64.deb in the checkout"; return 1; }
  cp "$deb" "$work/"
  echo "--- dpkg -I"; dpkg-deb -I "$deb"
  echo "--- dpkg -c"; dpkg-deb -c "$deb"
}

install_package() {  # install_package ROOT DEB
  local root=$1 deb=$2
  set -e
  cp "$deb" "$root/root/"
  echo "+ apt-get install ./$(basename "$deb")"
  in_system "$root" bash -c "cd /root && apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")"
  in_system "$root" dpkg -L keno22
  # A player: an ordinary user, whose login PATH has /usr/games.
  in_system "$root" useradd --create-home --shell /bin/bash player
  as_player() { in_system "$root" runuser -l player -c "$1"; }
  echo "+ keno22 --version"; as_player "keno22 --version"
  echo "+ keno22 --help"; as_player "keno22 --help"
  set +e
  echo "+ keno22 --no-such-option"; as_player "keno22 --no-such-option"
  [[ $? -eq 2 ]] || { echo "an unknown option must end with status 2"; return 1; }
  echo "+ keno22   (no display)"; as_player "keno22"
  [[ $? -eq 1 ]] || { echo "expected the display check's status 1"; return 1; }
  set -e
  for f in /usr/share/applications/keno22.desktop /usr/share/icons/hicolor/scalable/apps/keno22.svg \
           /usr/share/icons/hicolor/48x48/apps/keno22.png /usr/share/metainfo/org.plinx.keno22.metainfo.xml \
           /usr/share/man/man6/keno22.6.gz /usr/share/doc/keno22/copyright; do
    [[ -f $root$f ]] || { echo "missing $f"; return 1; }
  done
}

# ---- the run ---------------------------------------------------------------------------------

export -f $(compgen -A function)
export checkout work logs base mirror sanitize

commit=$(git -C "$checkout" rev-parse --short HEAD)
log "fresh-machine check of $checkout (commit $commit) in $work"
if [[ -n $(git -C "$checkout" status --porcelain --untracked-files=no) ]]; then
  log "note: uncommitted changes in $checkout are not part of this check (it clones HEAD)"
fi
play_command=$(readme_command Play)
test_command=$(readme_command Test)
package_command=$(readme_command Package)
for c in play_command test_command package_command; do
  [[ -n ${!c} ]] || { echo "fresh_machine.sh: README.md has no \`\`\`sh command under its heading for ${c%_command}" >&2; exit 1; }
done
log "README commands: play '$play_command', test '$test_command', package '$package_command'"

host_missing=()
command -v debootstrap >/dev/null || host_missing+=(debootstrap)
command -v Xvfb >/dev/null || host_missing+=(xvfb)
command -v git >/dev/null || host_missing+=(git)
if [[ ${#host_missing[@]} -gt 0 ]]; then
  log "installing on the host: ${host_missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${host_missing[@]}" >"$logs/host.log" 2>&1 ||
    { echo "could not install ${host_missing[*]} (see $logs/host.log)"; exit 1; }
fi

play_root=$work/play
install_root=$work/install
for root in "$play_root" "$install_root"; do
  if [[ -e $root ]]; then remove_system "$root" || exit 1; fi
done
wants package && rm -f "$work"/keno22_*.deb

step setup 1800 make_base || finish
if wants play || wants test || wants package; then
  systems+=("$play_root")
  step copy-play 600 copy_system "$play_root" || finish
fi
if wants install; then
  systems+=("$install_root")
  step copy-install 600 copy_system "$install_root" || finish
fi

# One X server on the host for the first frames; its socket reaches the systems through /tmp.
display=
if wants frame || wants install; then
  for n in $(seq 140 199); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$logs/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do [[ -S /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
    if [[ -S /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then display=:$n; break; fi
    kill "$xvfb_pid" 2>/dev/null; xvfb_pid=
  done
  [[ -n $display ]] || { echo "could not start Xvfb (see $logs/xvfb.log)"; exit 1; }
  log "Xvfb on $display"
fi

if wants play; then
  step play 5400 play_without_display "$play_root" "$play_command" || finish
fi
if wants frame; then
  step frame 600 first_frame "$play_root" "$display" bash -c "cd /root/keno22 && $play_command" || finish
fi
if wants test; then
  step test 9000 run_tests "$play_root" "$test_command" || finish
fi
deb=$deb_given
if wants package; then
  step package 5400 make_package "$play_root" "$package_command" || finish
  deb=$(ls "$work"/keno22_*_amd64.deb | head -n 1)
fi
if wants install; then
  step install 1800 install_package "$install_root" "$deb" || finish
  step installed-frame 600 first_frame "$install_root" "$display" \
    runuser -l player -c "DISPLAY=$display KENO_BENCH_FIRST_FRAME=1 keno22" || finish
fi
finish
