#!/usr/bin/env bash
# Installs the Debian packages the game needs (and, with --test, those its tests need) when missing.
set -euo pipefail

RUN_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libsdl2-dev
  libx11-dev libxrandr-dev
  fonts-dejavu-core
)
TEST_PACKAGES=(
  libgtest-dev
  xvfb xauth x11-utils x11-xserver-utils
  xserver-xorg-core xserver-xorg-video-dummy
  dbus dbus-daemon at-spi2-core python3 python3-gi gir1.2-atspi-2.0 python3-pyatspi
)

wanted=("${RUN_PACKAGES[@]}")
if [[ "${1:-}" == "--test" ]]; then
  wanted+=("${TEST_PACKAGES[@]}")
fi

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
SUDO=()
[[ $(id -u) -ne 0 ]] && SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
