#!/usr/bin/env bash
# Builds the Debian packages of the game: marobel_VERSION_amd64.deb, with the
# marobel command, marobel-sim, the pictures and sounds, desktop entry,
# icons, AppStream metadata and manual pages, installed under /usr; and,
# where FFmpeg's development libraries are installed (install-deps.sh --dev),
# marobel-video_VERSION_amd64.deb with the module marobel-sim --video loads.
#
#   scripts/package-deb.sh            # builds in build-deb, prints the .debs
# Environment: MAROBEL_DEB_BUILD overrides the build folder; JOBS the
# parallel jobs (default: the number of processors).
# Needs what scripts/install-deps.sh installs (dpkg-shlibdeps and
# dpkg-buildflags come with build-essential).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${MAROBEL_DEB_BUILD:-$root/build-deb}"
jobs="${JOBS:-$(nproc 2>/dev/null || echo 2)}"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# Debian's compiler and linker flags, hardening included, as its own packages
# are built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS
# Games' commands live in /usr/games, which is on every user's PATH.
# Videos get a package of their own: their codecs are no part of playing.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_BINDIR=games -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
rm -f "$build"/marobel_*.deb "$build"/marobel-video_*.deb
(cd "$build" && cpack -G DEB >/dev/null)

for deb in "$build"/marobel_*_amd64.deb "$build"/marobel-video_*_amd64.deb; do
  [ -f "$deb" ] && echo "package-deb: $deb"
done
