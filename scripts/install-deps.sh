#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and benchmarks need, and
# only those that are missing; names given as arguments are added to the list.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth dbus poppler-utils
  fonts-urw-base35 fonts-dejavu-core
  libhamlib-dev libhamlib-utils
  hamradio-files
  nats-server libnats-dev
)
# The Debian package and its checks (scripts/package.sh, scripts/check-package.sh).
packages+=(dpkg-dev lintian desktop-file-utils appstream librsvg2-bin xdotool)
# Packages a script asks for on top (scripts/screenshot.sh: imagemagick).
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
