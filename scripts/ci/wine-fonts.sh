#!/usr/bin/env bash
# The Windows game under Wine where no font has Japanese glyphs (a prefix
# that sees one English face, no font links): the menus the system draws
# must still read, so with a Japanese locale they are the English menus
# (the same pixels as with LANG=C.UTF-8), not Japanese words drawn as empty
# boxes. Run from scripts/ci/wine-smoke.sh, whose prefix has a Japanese
# face and keeps the Japanese menus.
#
#   scripts/ci/wine-fonts.sh [cross build folder]
# Leaves screenshots in $MAROBEL_SMOKE_SHOTS (default: none kept).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
title='Marobel ～Orvik～'

fail() { echo "wine-fonts: FAIL: $*" >&2; exit 1; }
note() { echo "wine-fonts: $*"; }

zip="$(ls "$build"/marobel-*-win64.zip 2>/dev/null | head -1 || true)"
[ -n "$zip" ] || fail "no package in $build (scripts/build-windows.sh makes it)"
locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' || fail "no ja_JP.UTF-8 locale (scripts/ci/wine-smoke.sh makes it)"
# One face of this machine with Latin letters and no Japanese.
# The machine's own fonts, not those of a caller's prefix (wine-smoke.sh
# hides them all from its own).
unset FONTCONFIG_FILE
english_font="$(readlink -f "$(fc-match -f '%{file}' 'DejaVu Sans')" || true)"
[ -f "$english_font" ] && [ -z "$(fc-list "$(fc-query -f '%{family[0]}' "$english_font"):lang=ja")" ] ||
  fail "no English-only face (fonts-dejavu-core)"

# open_work_folder, wait_window, close_box.
source "$root/scripts/ci/wine-windows.sh"
open_work_folder marobel-wine-fonts "$zip"
shots="${MAROBEL_SMOKE_SHOTS:-$work/shots}"
mkdir -p "$work/fonts" "$shots"

# shellcheck source=xvfb-lib.sh
. "$root/scripts/ci/xvfb-lib.sh"
start_xvfb 1024x768x24

export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cp "$english_font" "$work/fonts/"
printf '<?xml version="1.0"?>\n<fontconfig><dir>%s</dir><cachedir>%s</cachedir></fontconfig>\n' \
  "$work/fonts" "$work/fontconfig-cache" >"$work/fonts.conf"
export FONTCONFIG_FILE="$work/fonts.conf"
note "creating the Wine prefix"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# The menu bar of the game started with LANG=$1, cropped into $2.
menu_bar() {
  local lang=$1 crop=$2 window
  (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe) >/dev/null 2>&1 &
  game_pid=$!
  window="$(wait_window 90 "$title")" || fail "no window with LANG=$lang"
  sleep 2
  import -window "$window" "$shots/fonts-$lang.png"
  convert "$shots/fonts-$lang.png" -crop 160x18+0+0 +repage "$crop"
  close_box "$window"
  for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$game_pid" 2>/dev/null && fail "the game with LANG=$lang did not end after its close box"
  game_pid=""
}
menu_bar C.UTF-8 "$work/menu-en.png"
menu_bar ja_JP.UTF-8 "$work/menu-ja.png"
ink="$(convert "$work/menu-en.png" -colorspace gray -threshold 50% -negate -format '%[fx:mean]' info:)"
awk -v v="$ink" 'BEGIN { exit !(v >= 0.02) }' || fail "the English menu bar shows no words (ink $ink)"
diff="$(compare -metric AE "$work/menu-en.png" "$work/menu-ja.png" null: 2>&1 || true)"
[ "${diff%% *}" -le 20 ] 2>/dev/null ||
  fail "with no Japanese face a Japanese locale's menu bar is not the English one ($diff pixels differ)"
note "no Japanese face: a Japanese locale gets the English menu bar ($diff pixels differ, ink $ink)"
note "all passed"
