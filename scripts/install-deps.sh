#!/usr/bin/env bash
# Installs every Debian package the game, its tests and its Windows cross
# build need. Safe to run again; needs root (or sudo) and Debian's archive.
set -euo pipefail

packages=(
  # build and test tools
  build-essential cmake ninja-build pkg-config clang time
  libgtest-dev libgmock-dev libbenchmark-dev
  # the portable core and the headless runner
  libfreetype-dev libfontconfig-dev libpng-dev
  fonts-ipafont-gothic
  # the Linux desktop shell
  qt6-base-dev qt6-multimedia-dev
  # real-window tests
  xvfb xdotool x11-utils imagemagick libx11-dev openbox
  # the Windows build, run under Wine
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-tools wine64 wine
  # the Wine smoke run: a Japanese locale, the package unpacker, the close request
  locales unzip python3
)

as_root=()
if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi
echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y "${missing[@]}"
