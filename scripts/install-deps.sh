#!/usr/bin/env bash
# Installs the Debian packages the build, the program, the tests and the Debian package
# (making, checking and trying it on a clean system) need.
# Skips the package index update when everything is already there.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-gtk-platformtheme libxkbcommon-dev libfreetype-dev libpng-dev
  libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-comic-neue fonts-noto-cjk
  fonts-noto-mono
  xvfb x11-utils xdotool imagemagick openbox
  dpkg-dev file lintian appstream desktop-file-utils debootstrap man-db
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
