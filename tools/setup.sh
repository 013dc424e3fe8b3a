#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing the game
# need, and only those that are missing, so a second call is quick: lintian
# checks the package, devscripts brings hardening-check, clang with its
# runtime builds the fuzz targets, and the desktop's screen reader (orca, with
# the accessibility bus of at-spi2-core and dbus's private session) lets a test
# hear what a blind player hears.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libsdl2-dev
  fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils
  librsvg2-bin file appstream desktop-file-utils
  libx11-dev libxdamage-dev libxtst-dev
  qt6-wayland weston
  orca at-spi2-core dbus
  lintian devscripts
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
