#!/usr/bin/env bash
# The Windows game under Wine on a 3840 by 2160 screen (Xvfb): it opens at
# the scale the screen suits; with --scale 3 its canvas pixels are 3 by 3
# blocks of the Linux runner's frames for the same game; F11 puts the game
# on the full screen, centred in whole blocks, Alt+Enter brings the window
# back; the keys still play, and the record and trace are the runner's.
#
#   scripts/ci/wine-scale.sh [cross build folder [native build folder]]
# The native build provides marobel-sim and the screenshot checker.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
native="${2:-$root/build}"
case "$native" in /*) ;; *) native="$PWD/$native" ;; esac
title='Marobel ～Orvik～'
check="$native/tests/qt/marobel-scaled-frame-check"
RG_SIM="$native/app/sim/marobel-sim"

fail() { echo "wine-scale: FAIL: $*" >&2; exit 1; }
note() { echo "wine-scale: $*"; }

zip="$(ls "$build"/marobel-*-win64.zip 2>/dev/null | head -1 || true)"
[ -n "$zip" ] || fail "no package in $build (scripts/build-windows.sh makes it)"
for file in "$check" "$RG_SIM"; do [ -x "$file" ] || fail "$file is missing; build the native project first"; done

# open_work_folder, wait_window, close_box; rg_ticks, rg_wait_tick, rg_play_presses, rg_presses, rg_same_as_runner.
source "$root/scripts/ci/wine-windows.sh"
open_work_folder marobel-wine-scale "$zip"
shots="${MAROBEL_SMOKE_SHOTS:-$work/shots}"
mkdir -p "$shots"
RG_ASSETS="$game_dir"
source "$root/scripts/ci/recorded-game-lib.sh"

# shellcheck source=xvfb-lib.sh
. "$root/scripts/ci/xvfb-lib.sh"
start_xvfb 3840x2160x24
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# The machine's own fonts: wine-smoke.sh, which runs this, hides them from
# its prefix, and a prefix with no font at all draws no window, not even
# its menu bar, so every shot would be blank.
unset FONTCONFIG_FILE
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
note "creating the Wine prefix"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
run_game() { (cd "$game_dir" && exec wine marobel.exe "$@") >/dev/null 2>&1 & game_pid=$!; }
end_game() {
  close_box "$window"
  for _ in $(seq 150); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.2; done
  wait "$game_pid" || fail "the game ended with status $?"
  game_pid=""
}
# The X window holds the client area and the menu bar: $1 times across.
client_width() { size=$(size_of "$window"); echo "${size%x*}"; }

run_game
window="$(wait_window 90 "$title")" || fail "no window titled '$title'"
sleep 1
one_x=$(client_width)
end_game
run_game --scale 1
window="$(wait_window 90 "$title")" || fail "no window with --scale 1"
sleep 1
base=$(client_width)
end_game
[ "$one_x" -eq $((2 * base)) ] || fail "the window opens $one_x wide, not at scale 2 ($((2 * base)))"
note "on a 3840 by 2160 screen the window opens at scale 2 ($one_x wide, $base at scale 1)"

# Without smooth motion: the screenshots must be ticks' frames, to compare with the runner's.
run_game --scale 3 --no-smooth --record game.keys --trace game.jsonl
window="$(wait_window 90 "$title")" || fail "no window with --scale 3"
rg_wait_tick "$game_dir/game.jsonl" 30 5 || fail "the game does not tick"
[ "$(client_width)" -eq $((3 * base)) ] || fail "--scale 3 gives a window $(client_width) wide, not $((3 * base))"
scaled=$(size_of "$window")
note "--scale 3 gives a $scaled client area and menu bar"
xdotool windowfocus --sync "$window"
rg_play_presses 6
sleep 1
# Three shots a second apart, two of which must be the runner's frames: a
# shot taken as the window repaints may catch it half drawn.
declare -a shot_before shot_after
for n in 1 2 3; do
  shot_before[n]=$(rg_ticks "$game_dir/game.jsonl")
  import -window "$window" "$shots/wine-scale-3-$n.png"
  shot_after[n]=$(rg_ticks "$game_dir/game.jsonl")
  sleep 1
done

xdotool key F11
sleep 1.5
[ "$(size_of "$window")" = 3840x2160 ] || fail "F11 did not fill the screen ($(size_of "$window"))"
# The menu bar is hidden there until Alt, and goes again with the menu.
menu_lit() { import -window root -crop 200x12+0+2 +repage "$work/bar.png" &&
  convert "$work/bar.png" -colorspace gray -format '%[fx:mean]' info:; }
awk -v v="$(menu_lit)" 'BEGIN { exit !(v < 0.05) }' || fail "the full screen shows a menu bar"
xdotool key alt
sleep 1
awk -v v="$(menu_lit)" 'BEGIN { exit !(v > 0.5) }' || fail "Alt did not bring the menu bar back"
xdotool key Escape
sleep 1
awk -v v="$(menu_lit)" 'BEGIN { exit !(v < 0.05) }' || fail "the menu bar stays after its menu has closed"
note "the full screen hides the menu bar until Alt, and again after it"
fs_before=$(rg_ticks "$game_dir/game.jsonl")
import -window root "$shots/wine-fullscreen.png"
fs_after=$(rg_ticks "$game_dir/game.jsonl")
xdotool key Right
sleep 0.5
xdotool key alt+Return
sleep 1.5
[ "$(size_of "$window")" = "$scaled" ] || fail "Alt+Enter did not restore the window ($(size_of "$window"))"
note "F11 fills the screen, Alt+Enter restores the $scaled window"
xdotool key Left
sleep 0.5
end_game

rg_same_as_runner "$game_dir/game.keys" "$game_dir/game.jsonl" "scaled Windows game"
[ "$(rg_presses "$game_dir/game.keys" | wc -l)" -eq 8 ] ||
  fail "the record holds $(rg_presses "$game_dir/game.keys" | wc -l) presses, not the 8 arrows: $(rg_presses "$game_dir/game.keys" | tr '\n' ' ')"
"$RG_SIM" --ticks "$(rg_ticks "$game_dir/game.jsonl")" --keys "$game_dir/game.keys" --assets "$game_dir" \
  --frames "$work/frames" --trace /dev/null || fail "the runner did not replay the record"
# The texts are drawn with this system's fonts, the runner's with its own.
matched=0
for n in 1 2 3; do
  if "$check" "$shots/wine-scale-3-$n.png" 3 "$work/frames" "$((shot_before[n] - 1))" "$((shot_after[n] + 1))" --cabinet; then
    matched=$((matched + 1))
  fi
done
[ "$matched" -ge 2 ] || fail "the scaled window: $matched of 3 shots are the runner's frames"
note "the scaled window: $matched of 3 shots are the runner's frames"
"$check" "$shots/wine-fullscreen.png" 0 "$work/frames" "$((fs_before - 1))" "$((fs_after + 1))" --fullscreen --cabinet ||
  fail "the full screen"
note "all passed"
