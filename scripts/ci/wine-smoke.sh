#!/usr/bin/env bash
# Runs the Windows game under Wine on a virtual X display, as a player
# would, once with a system code page other than 932 (C.UTF-8) and once
# with 932 (ja_JP.UTF-8):
#   - the window appears with its exact title and shows the cabinet, and
#     the picture changes over time (the game ticks);
#   - a right-arrow press is taken;
#   - Alt+"/" and Alt+"?" open the About box, Escape and its close box end it;
#   - the close box (the window manager's delete request) ends the process
#     with exit status 0.
# Before that, the Windows-only checks program (text drawn by GDI) runs.
#
#   scripts/ci/wine-smoke.sh [cross build folder]
# Without a folder it builds build-win with scripts/build-windows.sh first.
# Leaves screenshots in $MAROBEL_SMOKE_SHOTS (default <build>/wine-smoke).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac  # it is used after changing folders
shots="${MAROBEL_SMOKE_SHOTS:-$build/wine-smoke}"
title='Marobel ～Orvik～'
about_caption='ﾊﾞｰｼﾞｮﾝ情報'

fail() { echo "wine-smoke: FAIL: $*" >&2; exit 1; }
note() { echo "wine-smoke: $*"; }

# Without a folder given, (re)build: an old package must not be tested.
[ $# -ge 1 ] || MAROBEL_WIN_BUILD="$build" "$root/scripts/build-windows.sh"
zip="$(ls "$build"/marobel-*-win64.zip 2>/dev/null | head -1 || true)"
[ -n "$zip" ] || fail "no package in $build (scripts/build-windows.sh makes it)"

work="$(mktemp -d /tmp/marobel-wine.XXXXXX)"
xvfb_pid=""
game_pid=""
cleanup() {
  set +e
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The game runs from the unpacked package: it reads its pictures and sounds
# by bare name from the working directory.
mkdir -p "$work/game" "$shots"
(cd "$work/game" && unzip -q "$zip")
game_dir="$(ls -d "$work"/game/marobel-*)"
[ -f "$game_dir/marobel.exe" ] || fail "no marobel.exe in $zip"
[ "$(ls "$game_dir"/*.bmp | wc -l)" -eq 20 ] || fail "the package does not hold the 20 pictures"
[ "$(ls "$game_dir"/*.wav | wc -l)" -eq 7 ] || fail "the package does not hold the 7 sounds"

# A display number nobody uses.
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# No browser or .NET add-on installs (they would wait for a click), no
# desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
note "creating the Wine prefix (slow the first time)"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# A Windows system, whatever its language, falls back to a Japanese font
# for Japanese text in menus and dialogs. A fresh Wine prefix lists only
# Windows font files there, so point the fallback at the installed IPA
# Gothic for the fonts that menus, dialogs and the "System" face use.
ipa="$(readlink -f "$(fc-match -f '%{file}' 'IPAGothic:lang=ja')")"
[ -f "$ipa" ] || fail "no Japanese gothic font installed (fonts-ipafont-gothic)"
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" System; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$face" /t REG_MULTI_SZ /d "$(basename "$ipa"),IPAGothic" /f >/dev/null 2>&1
done
# The Japanese system faces themselves are not installed either: Japanese
# menus ask for "MS UI Gothic", the game's text for "ＭＳ ゴシック".
for face in "MS UI Gothic" "MS Gothic" "ＭＳ ゴシック" "MS PGothic" "ＭＳ Ｐゴシック"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAGothic /f >/dev/null 2>&1
done
wineserver -w

# The Windows-only code's own checks: text drawn with the system's fonts.
checks="$build/app/win32/marobel_win32_checks.exe"
[ -f "$checks" ] || fail "$checks is missing (scripts/build-windows.sh builds it)"
wine "$checks" "$(winepath -w "$shots")" || fail "the Windows text checks"

# The exit-status check below must be able to fail: Wine passes a
# program's exit code through.
set +e
wine cmd /c exit 3 >/dev/null 2>&1
probe=$?
set -e
[ "$probe" -eq 3 ] || fail "Wine does not pass exit codes through (got $probe for 3)"

# wait_window, wait_no_window, close_box, cabinet_crop, cabinet_shown.
source "$root/scripts/ci/wine-windows.sh"

# Waits up to $1 seconds for the game process and sets exit_status. Runs in
# this shell, not a subshell: only the parent can collect a child's status.
exit_status=""
wait_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 5))); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      exit_status=0
      wait "$game_pid" || exit_status=$?
      game_pid=""
      return 0
    fi
    sleep 0.2
  done
  return 1
}
scenario() {
  local lang=$1 tag=$2
  note "[$tag] starting the game with LANG=$lang"
  (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe) >/dev/null 2>&1 &
  game_pid=$!

  local window
  window="$(wait_window 90 "$title")" || fail "[$tag] no window titled '$title'"
  note "[$tag] window $window is titled '$title'"

  sleep 3  # fifteen ticks at 200 ms
  import -window "$window" "$shots/$tag-game-1.png"
  sleep 1
  import -window "$window" "$shots/$tag-game-2.png"
  cabinet_crop "$shots/$tag-game-1.png" "$work/cabinet-1.png"
  cabinet_crop "$shots/$tag-game-2.png" "$work/cabinet-2.png"
  local lit colours changed
  lit="$(convert "$work/cabinet-1.png" -colorspace gray -threshold 4% -format '%[fx:mean]' info:)"
  colours="$(convert "$work/cabinet-1.png" -format '%k' info:)"
  note "[$tag] cabinet area: lit fraction $lit, $colours colours"
  awk -v v="$lit" 'BEGIN { exit !(v >= 0.6) }' || fail "[$tag] the cabinet is not shown (lit fraction $lit)"
  [ "$colours" -ge 16 ] || fail "[$tag] the cabinet area is nearly flat ($colours colours)"
  changed="$(compare -metric AE "$work/cabinet-1.png" "$work/cabinet-2.png" null: 2>&1 || true)"
  note "[$tag] pixels changed in one second: $changed"
  awk -v v="$changed" 'BEGIN { exit !(v + 0 >= 50) }' || fail "[$tag] the picture does not move: no ticks?"

  xdotool windowfocus --sync "$window"
  xdotool key Right
  sleep 0.5
  kill -0 "$game_pid" 2>/dev/null || fail "[$tag] the game ended after a right-arrow press"

  local dialog
  xdotool windowfocus --sync "$window"
  xdotool key alt+slash
  dialog="$(wait_window 15 "$about_caption")" || fail "[$tag] Alt+/ opened no About box"
  note "[$tag] Alt+/ opened the About box ($dialog)"
  sleep 0.5
  import -window root "$shots/$tag-about.png"
  xdotool windowfocus --sync "$dialog"
  xdotool key Escape
  wait_no_window 15 "$about_caption" || fail "[$tag] Escape did not close the About box"
  note "[$tag] Escape closed it"

  xdotool windowfocus --sync "$window"
  xdotool key alt+question
  dialog="$(wait_window 15 "$about_caption")" || fail "[$tag] Alt+? opened no About box"
  close_box "$dialog"
  wait_no_window 15 "$about_caption" || fail "[$tag] the About box's close box did not close it"
  note "[$tag] Alt+? opened it again, its close box closed it"

  sleep 0.5
  close_box "$window"
  wait_exit 30 || fail "[$tag] the game did not end after its close box"
  [ "$exit_status" -eq 0 ] || fail "[$tag] the game ended with exit status $exit_status"
  note "[$tag] the close box ended the game with exit status 0"
}

has_japanese_locale() { locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; }
if ! has_japanese_locale; then
  # Wine takes its code page from the locale, which must exist to be used.
  note "compiling the ja_JP.UTF-8 locale"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || fail "cannot make the ja_JP.UTF-8 locale (package locales, root)"
fi

scenario C.UTF-8 cp1252
scenario ja_JP.UTF-8 cp932
note "all passed; screenshots in $shots"
