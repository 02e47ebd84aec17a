#!/usr/bin/env bash
# Installs the Debian packages the game needs. Safe to run again; needs root
# (or sudo) and Debian's archive.
#   install-deps.sh         what building and playing the game needs
#   install-deps.sh --dev   that, and what the tests, the benchmarks, the
#                           Windows build, the browser build, the videos and
#                           the packages add
set -euo pipefail

play_packages=(
  # compiler and build tools
  build-essential cmake ninja-build pkg-config
  # the portable core and the headless runner: text, fonts, pictures
  libfreetype-dev libfontconfig-dev libpng-dev fonts-ipafont-gothic
  # the Linux desktop shell
  qt6-base-dev qt6-multimedia-dev
  # its gamepads
  libsdl2-dev
)

dev_packages=(
  # test and benchmark tools
  # the lint step
  clang-format shellcheck
  clang time libgtest-dev libgmock-dev libbenchmark-dev
  # real-window tests
  xvfb xdotool tmux x11-utils imagemagick libx11-dev openbox
  # the Windows build, run under Wine
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-tools wine64 wine
  # the Wine smoke run: a Japanese locale, the package unpacker, the close
  # request, a face without Japanese
  locales unzip python3 fonts-dejavu-core
  # the Windows installer (makensis), the check of the program's icons
  # (wrestool) and the checks of the Debian package
  nsis icoutils lintian appstream desktop-file-utils
  # marobel-sim --video (FFmpeg's libraries) and the programs its tests decode videos with
  libavcodec-dev libavformat-dev libswscale-dev libswresample-dev libavutil-dev ffmpeg
  # the browser build (WebAssembly) and its checks in headless chromium
  emscripten nodejs chromium
)
# npm fetches the pinned browser driver; a node from elsewhere brings its own.
command -v npm >/dev/null || dev_packages+=(npm)

packages=("${play_packages[@]}")
# Playing needs only what the play set depends on, not what it recommends
# (GTK, accessibility, VA drivers, gnupg...): a quarter fewer packages to
# fetch and install. The development tools keep their recommendations.
apt_options=(--no-install-recommends)
case "${1:-}" in
  --dev) packages+=("${dev_packages[@]}"); apt_options=() ;;
  "") ;;
  *) echo "usage: install-deps.sh [--dev]" >&2; exit 2 ;;
esac

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
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y "${apt_options[@]}" "${missing[@]}"
