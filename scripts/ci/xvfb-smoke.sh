#!/usr/bin/env bash
# Plays the real game binary on a real X server (Xvfb): it starts in the
# assets folder, ticks, takes a right-arrow press, opens and closes the
# version box with Alt+?, shows the cabinet, coins and credits (checked by
# pixels), and ends with status 0 both from a window manager's close request
# and from the File menu's exit item.
#
#   scripts/ci/xvfb-smoke.sh BUILD_DIR [SCREENSHOT_OUT]
#
# With openbox installed, the games run under it, so the window also gets a
# real frame and must fit its 400 by 450 outer size to it.
#
# Exits 77 (skipped) when Xvfb, xdotool or ImageMagick are not installed.
set -uo pipefail

build=$(cd "${1:?usage: xvfb-smoke.sh BUILD_DIR [SCREENSHOT_OUT]}" && pwd)
screenshot_out=${2:-}
game="$build/app/qt/marobel"
assets="$build/assets"
close_request="$build/tests/qt/marobel-x11-close"
check="$build/tests/qt/marobel-screenshot-check"

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
for file in "$game" "$close_request" "$check" "$assets/back.bmp"; do
  [ -e "$file" ] || { echo "FAIL: $file is missing; build the project first"; exit 1; }
done

work=$(mktemp -d)
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

# shellcheck source=xvfb-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"
start_xvfb 1024x768x24
if command -v openbox >/dev/null; then
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  sleep 0.5
  echo "window manager: openbox"
else
  echo "window manager: none (install openbox to check the framed size too)"
fi

# The outermost window of the game's window: the window manager's frame,
# or the window itself when nobody frames it.
outer_window() {
  local id=$1 parent root
  root=$(xwininfo -root | awk '/Window id:/ {print $4}')
  while parent=$(xwininfo -tree -id "$id" | awk '/Parent window id:/ {print $4}') && [ "$parent" != "$root" ]; do
    id=$parent
  done
  echo "$id"
}
outer_size() { xwininfo -id "$(outer_window "$1")" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }

start_game() {
  (cd "$assets" && exec "$game") >"$work/game.log" 2>&1 &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name 'Marobel ～Orvik～' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start: $(cat "$work/game.log")"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no game window appeared"
  # Without a window manager nobody hands out the keyboard focus.
  xdotool windowfocus --sync "$window"
}

# Waits for the game to end by itself and checks its exit status.
expect_exit_zero() {
  local what=$1
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "$what did not end the game"
  wait "$game_pid"
  local status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "$what ended the game with status $status"
  echo "ok: $what ends the game with status 0"
}

about_box_open() { xdotool search --name 'ﾊﾞｰｼﾞｮﾝ情報' >/dev/null 2>&1; }

# First game: play, look, close the window as a window manager would.
start_game
size=""
for _ in $(seq 30); do size=$(outer_size "$window"); [ "$size" = 400x450 ] && break; sleep 0.1; done
[ "$size" = 400x450 ] || fail "the window's outer size is $size, not 400x450"
echo "ok: outer size 400x450"
sleep 2
xdotool key Right
about_box_open && fail "the version box is open before it was asked for"
xdotool key alt+question
for _ in $(seq 30); do about_box_open && break; sleep 0.1; done
about_box_open || fail "Alt+? did not open the version box"
echo "ok: Alt+? opens the version box"
xdotool key Escape
for _ in $(seq 30); do about_box_open || break; sleep 0.1; done
about_box_open && fail "Escape did not close the version box"
echo "ok: Escape closes it"
xdotool windowfocus --sync "$window"
sleep 1
import -window "$window" "$work/window.png" || fail "no screenshot"
if ! "$check" "$work/window.png" "$assets"; then
  cp "$work/window.png" "$build/xvfb-smoke-failed.png"
  fail "the window does not show the game (screenshot: $build/xvfb-smoke-failed.png)"
fi
if [ -n "$screenshot_out" ]; then
  xdotool key Right
  sleep 0.6
  import -frame -window "$window" "$screenshot_out"
fi
"$close_request" "$window" || fail "could not send the close request"
expect_exit_zero "the close request"

# Second game: File, then its exit item, by their mnemonics.
start_game
sleep 0.5
xdotool key alt+f
sleep 0.5
xdotool key x
expect_exit_zero "File > exit"
echo "PASS"
