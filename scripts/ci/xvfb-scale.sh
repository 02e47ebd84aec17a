#!/usr/bin/env bash
# The window on a 3840 by 2160 screen (Xvfb and openbox): it opens
# at the scale the screen suits; with --scale 3 its canvas pixels are 3 by 3
# blocks of the runner's frames for the same game, the whole cabinet shows
# and the menus are 3 times larger too; F11 and Alt+Enter put the game on
# the full screen, centred in whole blocks, the menu bar hidden, and back;
# the keys still play, and the record and trace are the runner's. With Qt's
# own scaling (QT_SCALE_FACTOR 1.25, 1.5 and 2, as HiDPI desktops set it)
# the window still shows the whole cabinet, in whole blocks of the runner's
# frames.
#
#   scripts/ci/xvfb-scale.sh BUILD_DIR [SCREENSHOT_DIR]
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick are not installed.
set -uo pipefail

build=$(cd "${1:?usage: xvfb-scale.sh BUILD_DIR [SCREENSHOT_DIR]}" && pwd)
game="$build/app/qt/marobel"
check="$build/tests/qt/marobel-scaled-frame-check"
RG_SIM="$build/app/sim/marobel-sim"
RG_ASSETS="$build/assets"
for tool in Xvfb openbox xdotool import xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
for file in "$game" "$check" "$RG_SIM" "$RG_ASSETS/back.bmp"; do
  [ -e "$file" ] || { echo "FAIL: $file is missing; build the project first"; exit 1; }
done

work=$(mktemp -d)
shots=${2:-$work/shots}
mkdir -p "$shots"
xvfb_pid=""
wm_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
note() { echo "ok: $*"; }
# shellcheck source=recorded-game-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/recorded-game-lib.sh"

# shellcheck source=xvfb-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"
start_xvfb 3840x2160x24
unset QT_SCALE_FACTOR
# A full screen is the window manager's to give.
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm_pid=$!
sleep 0.5

# Without pictures between ticks, so that every screenshot is a tick's frame.
start_game() {
  (cd "$RG_ASSETS" && exec "$game" --no-smooth "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
  window=$(game_window)
  [ -n "$window" ] || fail "no game window appeared: $(cat "$work/game.log")"
  xdotool windowfocus --sync "$window"
}
stop_game() {
  xdotool key alt+f; sleep 0.3; xdotool key x
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$game_pid" || fail "the game ended with status $?"
  game_pid=""
}
size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
# The window manager's frame around window $1, or the window itself.
outer_window() {
  local id=$1 parent root
  root=$(xwininfo -root | awk '/Window id:/ {print $4}')
  while parent=$(xwininfo -tree -id "$id" | awk '/Parent window id:/ {print $4}') && [ "$parent" != "$root" ]; do
    id=$parent
  done
  echo "$id"
}
wait_size() {
  for _ in $(seq 50); do [ "$(size_of "$window")" = "$1" ] && return 0; sleep 0.1; done
  return 1
}
# Waits for the window of scale $1: the client area, menu bar included, $1
# times that of the 400 by 450 window (the menu bar follows the game's
# pixels, to within a block's rounding); the frame keeps its own size.
wait_scale() {
  local scale=$1 size outer width height across down
  for _ in $(seq 50); do
    size=$(size_of "$window") width=${size%x*} height=${size#*x}
    outer=$(size_of "$(outer_window "$window")")
    across=$((${outer%x*} - width)) down=$((${outer#*x} - height))
    if [ "$width" -eq $(((400 - across) * scale)) ] &&
      [ $(((450 - down) * scale - height)) -ge 0 ] && [ $(((450 - down) * scale - height)) -lt "$scale" ]; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Checks screenshot $1 of a window at scale $2 against the runner's frames
# of ticks $3 to $4 of $work/game.keys: whole blocks, the whole cabinet;
# sets menu to the menu bar's height.
check_window_shot() {
  "$RG_SIM" --ticks "$(rg_ticks "$work/game.jsonl")" --keys "$work/game.keys" --assets "$RG_ASSETS" \
    --frames "$work/frames" --trace /dev/null >/dev/null || fail "the runner did not replay the record"
  "$check" "$1" "$2" "$work/frames" "$3" "$4" >"$work/check.log" 2>&1 || fail "$1: $(cat "$work/check.log")"
  menu=$(sed -n 's/.*game at (0, \([0-9]*\)).*/\1/p' "$work/check.log")
  rm -rf "$work/frames"
}

# The screen's choice: the largest scale at which 400 by 450 fits in half
# its height, 2 here.
start_game
wait_scale 2 || fail "the window opens at $(size_of "$window"), not at scale 2"
echo "ok: on a 3840 by 2160 screen the window opens at scale 2 ($(size_of "$window"))"
stop_game

# Qt's own scaling draws the menu bar larger; the game keeps its rows.
for factor in 1.25:1 1.5:2 2:2; do
  scale=${factor#*:}
  QT_SCALE_FACTOR=${factor%:*} start_game --scale "$scale" --record "$work/game.keys" --trace "$work/game.jsonl"
  rg_wait_tick "$work/game.jsonl" 30 3 || fail "the game does not tick at QT_SCALE_FACTOR=${factor%:*}"
  sleep 1
  before=$(rg_ticks "$work/game.jsonl")
  import -window "$window" "$shots/qt-scale-factor-${factor%:*}.png" || fail "no screenshot"
  after=$(rg_ticks "$work/game.jsonl")
  stop_game
  check_window_shot "$shots/qt-scale-factor-${factor%:*}.png" "$scale" "$((before - 1))" "$((after + 1))"
  echo "ok: QT_SCALE_FACTOR=${factor%:*} at scale $scale shows the whole cabinet in whole blocks (menu bar $menu)"
done

# --scale 3: the pixels against the runner's frames, then the full screen.
start_game --scale 3 --record "$work/game.keys" --trace "$work/game.jsonl"
wait_scale 3 || fail "--scale 3 gives $(size_of "$window")"
scaled=$(size_of "$window")
echo "ok: --scale 3 gives a $scaled window"
rg_wait_tick "$work/game.jsonl" 30 5 || fail "the game does not tick"
rg_play_presses 6
sleep 1
before=$(rg_ticks "$work/game.jsonl")
import -window "$window" "$shots/scale-3.png" || fail "no screenshot"
after=$(rg_ticks "$work/game.jsonl")

xdotool key F11
sleep 1.5
[ "$(size_of "$window")" = 3840x2160 ] || fail "F11 did not fill the screen ($(size_of "$window"))"
# The menu bar is hidden there until Alt or F10, and goes again after it.
menu_lit() { import -window root -crop 200x12+0+2 +repage "$work/bar.png" &&
  convert "$work/bar.png" -colorspace gray -format '%[fx:mean]' info:; }
for key in alt F10; do
  awk -v v="$(menu_lit)" 'BEGIN { exit !(v < 0.05) }' || fail "the full screen shows a menu bar before $key"
  xdotool key "$key"
  sleep 0.7
  awk -v v="$(menu_lit)" 'BEGIN { exit !(v > 0.5) }' || fail "$key did not bring the menu bar back"
  xdotool key Escape
  sleep 0.7
done
awk -v v="$(menu_lit)" 'BEGIN { exit !(v < 0.05) }' || fail "the menu bar stays after Escape"
echo "ok: the full screen hides the menu bar until Alt or F10, and again after Escape"
fs_before=$(rg_ticks "$work/game.jsonl")
import -window root "$shots/fullscreen.png" || fail "no screenshot"
fs_after=$(rg_ticks "$work/game.jsonl")
xdotool key Right
sleep 0.5
xdotool key F11
wait_size "$scaled" || fail "F11 again did not restore the window ($(size_of "$window"))"
echo "ok: F11 fills the screen, F11 again restores the $scaled window"
# Alt+Enter is the same full screen, menu bar hidden.
xdotool key alt+Return
wait_size 3840x2160 || fail "Alt+Enter did not fill the screen ($(size_of "$window"))"
sleep 0.7
awk -v v="$(menu_lit)" 'BEGIN { exit !(v < 0.05) }' || fail "Alt+Enter keeps the menu bar on the full screen"
xdotool key alt+Return
wait_size "$scaled" || fail "Alt+Enter again did not restore the window ($(size_of "$window"))"
echo "ok: Alt+Enter fills the screen without the menu bar as F11 does, and restores the window"
xdotool key Left
sleep 0.5
stop_game

rg_same_as_runner "$work/game.keys" "$work/game.jsonl" "scaled game"
[ "$(rg_presses "$work/game.keys" | wc -l)" -eq 8 ] ||
  fail "the record holds $(rg_presses "$work/game.keys" | wc -l) presses, not the 8 arrows (F11 is the window's)"
"$RG_SIM" --ticks "$(rg_ticks "$work/game.jsonl")" --keys "$work/game.keys" --assets "$RG_ASSETS" \
  --frames "$work/frames" --trace /dev/null ||
  fail "the runner did not replay the record"
"$check" "$shots/scale-3.png" 3 "$work/frames" "$((before - 1))" "$((after + 1))" >"$work/check.log" ||
  fail "the scaled window"
menu=$(sed -n 's/.*game at (0, \([0-9]*\)).*/\1/p' "$work/check.log")
# About 20 pixels at scale 1.
[ "$menu" -ge 40 ] || fail "the menu bar is $menu pixels high beside a 3x game: it did not follow the game's scale"
echo "ok: at scale 3 the whole cabinet shows in 3 by 3 blocks, beside a $menu pixel menu bar"
"$check" "$shots/fullscreen.png" 0 "$work/frames" "$((fs_before - 1))" "$((fs_after + 1))" --fullscreen ||
  fail "the full screen"
echo "PASS"
