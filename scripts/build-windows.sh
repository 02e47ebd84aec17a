#!/usr/bin/env bash
# Cross-builds the Windows game (marobel.exe, its zip and its installer
# marobel-VERSION-win64.exe) with MinGW-w64; NSIS's makensis makes the
# installer natively.
# The icons, pictures and sounds come from the art generator, which runs
# natively, so a small native build comes first.
#
#   scripts/build-windows.sh            # build-win-host (native) + build-win
# Environment: MAROBEL_WIN_BUILD, MAROBEL_WIN_HOST_BUILD override the two
# build folders; JOBS the parallel jobs (default 2).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host_build="${MAROBEL_WIN_HOST_BUILD:-$root/build-win-host}"
cross_build="${MAROBEL_WIN_BUILD:-$root/build-win}"
jobs="${JOBS:-2}"

echo "== native art generator in $host_build"
cmake -S "$root" -B "$host_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF >/dev/null
cmake --build "$host_build" -j "$jobs" --target marobel_assets
assets="$host_build/assets"
for f in marobel.ico marobel-small.ico back.bmp coin.wav; do
  [ -f "$assets/$f" ] || { echo "build-windows: $assets/$f was not generated" >&2; exit 1; }
done

echo "== Windows cross build in $cross_build"
cmake -S "$root" -B "$cross_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DMAROBEL_HOST_ASSETS_DIR="$assets" >/dev/null
cmake --build "$cross_build" -j "$jobs" --target marobel marobel_win32_checks marobel_window_texts
rm -f "$cross_build"/marobel-*-win64.zip "$cross_build"/marobel-*-win64.exe
(cd "$cross_build" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)

exe="$cross_build/app/win32/marobel.exe"
zip="$(ls "$cross_build"/marobel-*-win64.zip)"
installer="$(ls "$cross_build"/marobel-*-win64.exe)"
echo "build-windows: $exe"
echo "build-windows: $zip"
echo "build-windows: $installer"
