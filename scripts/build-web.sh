#!/usr/bin/env bash
# Builds the browser version: the game compiled to WebAssembly with
# Debian's emscripten, and a folder holding index.html and everything it
# loads. The pictures and sounds come from the art generator, which runs
# natively, so a small native build comes first.
#
#   scripts/build-web.sh        # -> build-web/site (serve it over http)
# Environment: MAROBEL_WEB_BUILD overrides the build folder (default
# build-web); MAROBEL_WEB_NATIVE_BUILD names an existing native build to
# take the art generator from instead of configuring one (CI passes its
# release build); JOBS the parallel jobs (default 2).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${MAROBEL_WEB_BUILD:-$root/build-web}"
jobs="${JOBS:-2}"
native="${MAROBEL_WEB_NATIVE_BUILD:-$out/native}"
wasm="$out/wasm"
site="$out/site"

# emcc is a node program; Debian's node modules (acorn) sit outside the
# search path of a node that is not Debian's own.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
command -v emcmake >/dev/null || { echo "build-web: emcmake not found (apt-get install emscripten)" >&2; exit 1; }

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

echo "== native art generator in $native"
if [ -z "${MAROBEL_WEB_NATIVE_BUILD:-}" ]; then
  cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF "${launcher[@]}" >/dev/null
fi
cmake --build "$native" -j "$jobs" --target marobel_assets

echo "== WebAssembly build in $wasm"
emcmake cmake -S "$root" -B "$wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF >/dev/null
cmake --build "$wasm" -j "$jobs" --target marobel_web

echo "== site in $site"
rm -rf "$site"
mkdir -p "$site/assets"
cp "$root"/app/web/site/*.{css,js} "$site/"
rm "$site/sw.js"  # made below, for this build
cp "$wasm"/app/web/marobel.{js,wasm} "$site/"
# The game's pictures and sounds, the icon for the tab and the About box,
# and the home screen's icons the manifest names.
cp "$native"/assets/*.bmp "$native"/assets/*.wav "$native"/assets/marobel.ico "$site/assets/"
cp "$native"/assets/marobel-{192,512,maskable-512}.png "$site/assets/"
# An installing browser shows the page as the README does, upright on a
# phone and on a desktop: pictures of the page itself.
mkdir -p "$site/screenshots"
cp "$root/docs/web-phone-portrait.png" "$site/screenshots/phone-portrait.png"
cp "$root/docs/web-desktop.png" "$site/screenshots/desktop.png"
# The manifest names the game as the shells' table of facts does.
title=$(awk -F '\t' '$1 == "Title" { print $2 }' "$root/app/shell_facts.txt")
sed "s|@Fact:Title@|$title|" "$root/app/web/site/manifest.webmanifest" > "$site/manifest.webmanifest"
# Preload hints for them; the page still asks the module which files the
# game reads and fetches those (from the browser's memory when preloaded).
preloads=$(cd "$site/assets" && for f in *.bmp *.wav; do
  printf '<link rel="preload" href="assets/%s" as="fetch" crossorigin>\n' "$f"; done)
# The shell's texts, and the About box's layout in pixels, come from its one
# table of facts.
awk -v links="$preloads" '/<!-- game files -->/ { print links; next } { print }' "$root/app/web/site/index.html" |
  perl "$root/scripts/shell-facts-html.pl" "$root/app/shell_facts.txt" > "$site/index.html"

# The service worker caches every file of the site under a name that
# changes with any of them, so a new build replaces the cache of the last;
# the screenshots are only for installing, never played offline.
files=$(cd "$site" && find . -type f ! -name sw.js ! -path './screenshots/*' | sed 's|^\./||' | LC_ALL=C sort)
version=$(cd "$site" && printf '%s\n' $files | xargs sha256sum | sha256sum | cut -c1-16)
list=$(printf '"./"'; for f in $files; do printf ', "%s"' "$f"; done)
sed -e "s|@VERSION@|$version|" -e "s|@FILES@|$list|" "$root/app/web/site/sw.js" > "$site/sw.js"

bytes=$(find "$site" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
echo "build-web: $site ($bytes bytes)"
echo "build-web: serve it with  python3 -m http.server -d $site 8000 --bind 127.0.0.1"
