#!/usr/bin/env bash
# Installs the Debian packages that are missing, with apt-get: as root directly, otherwise through
# sudo. With neither, it prints the apt-get line to run as root and ends with status 1.
#
#   scripts/deps.sh             what the game needs to build and run (scripts/play.sh)
#   scripts/deps.sh --test      that and what the whole test suite needs (scripts/test.sh)
#   scripts/deps.sh --package   that and the Debian packaging tools (scripts/package.sh)
#   scripts/deps.sh --list [--test|--package]   prints the packages of that set, one a line
#
# One package a line, so adding or dropping one is a one-line change. The README's "Packages"
# section names the same packages (a test compares them).
set -euo pipefail

# Compiler and build tools.
BUILD_PACKAGES=(
  build-essential
  cmake
  ninja-build
  pkg-config
)
# Libraries and files the game is built with and runs on.
GAME_PACKAGES=(
  qt6-base-dev
  qt6-base-dev-tools
  qt6-qpa-plugins
  libgl-dev
  libsdl2-dev
  libx11-dev
  libxrandr-dev
  libsqlite3-dev
  fonts-dejavu-core
  fonts-dejavu-extra
)
# The test suite: GoogleTest, a virtual X display, the accessibility bus.
TEST_PACKAGES=(
  libgtest-dev
  xvfb
  xauth
  x11-utils
  x11-xserver-utils
  xserver-xorg-core
  xserver-xorg-video-dummy
  dbus
  dbus-daemon
  at-spi2-core
  python3
  python3-gi
  gir1.2-atspi-2.0
  python3-pyatspi
)
# Building and checking the Debian package (CPack's shlibdeps needs file).
PACKAGE_PACKAGES=(
  file
  dpkg-dev
  lintian
  appstream
  desktop-file-utils
)

list=no
set_name=game
for arg in "$@"; do
  case $arg in
    --list) list=yes ;;
    --test) set_name=test ;;
    --package) set_name=package ;;
    *) echo "usage: $0 [--list] [--test|--package]" >&2; exit 2 ;;
  esac
done

wanted=("${BUILD_PACKAGES[@]}" "${GAME_PACKAGES[@]}")
case $set_name in
  test) wanted+=("${TEST_PACKAGES[@]}") ;;
  package) wanted+=("${PACKAGE_PACKAGES[@]}") ;;
esac

if [[ $list == yes ]]; then
  printf '%s\n' "${wanted[@]}"
  exit 0
fi

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Neither root nor sudo is available here; as root, run:" >&2
    echo "  apt-get update && $install_line" >&2
    exit 1
  fi
  SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
