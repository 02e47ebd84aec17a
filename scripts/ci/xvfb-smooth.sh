#!/usr/bin/env bash
# Smooth motion in the Linux window, on a real X server (Xvfb): the window
# recorded at 30 pictures a second for 2 s (ffmpeg's x11grab) shows at least
# 25 different pictures of the pusher's area with smooth motion on, and at
# most 11 (one a tick) with --no-smooth.
#
#   scripts/ci/xvfb-smooth.sh BUILD_DIR
#
# Exits 77 (skipped) when Xvfb, xdotool, ffmpeg or python3 are not installed.
set -uo pipefail

build=$(cd "${1:?usage: xvfb-smooth.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
game="$build/app/qt/marobel"
assets="$build/assets"

for tool in Xvfb xdotool ffmpeg python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
for file in "$game" "$assets/back.bmp"; do
  [ -e "$file" ] || { echo "FAIL: $file is missing; build the project first"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# shellcheck source=xvfb-lib.sh
. "$here/xvfb-lib.sh"
start_xvfb 800x600x24

# How many different pictures of the pusher's area 2 s of the window hold.
pictures_in_two_seconds() {
  (cd "$assets" && exec "$game" --scale 1 "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
  local window
  window=$(game_window)
  [ -n "$window" ] || fail "no game window appeared: $(cat "$work/game.log")"
  sleep 1
  local x y
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y)=')"
  # The pusher's table, below the menu bar: the canvas's 110..310 across
  # and 160..280 down, with room for the bar.
  x=$((X + 110))
  y=$((Y + 180))
  ffmpeg -loglevel error -f x11grab -framerate 30 -video_size 200x120 -i "$DISPLAY+$x,$y" -t 2 \
    -f rawvideo -pix_fmt rgb24 -y "$work/grab.raw" || fail "ffmpeg could not record the window"
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=""
  python3 - "$work/grab.raw" <<'PY'
import hashlib, sys
data = open(sys.argv[1], "rb").read()
size = 200 * 120 * 3
print(len({hashlib.sha1(data[i:i + size]).digest() for i in range(0, len(data) - size + 1, size)}))
PY
}

# A busy machine may drop pictures between ticks (never ticks): a few tries.
smooth=0
for _ in 1 2 3; do
  smooth=$(pictures_in_two_seconds) || exit 1
  [ "$smooth" -ge 25 ] && break
done
plain=$(pictures_in_two_seconds --no-smooth) || exit 1
echo "pictures of the pusher's area in 2 s: $smooth smooth, $plain plain"
[ "$smooth" -ge 25 ] || fail "only $smooth different pictures with smooth motion (at least 25 expected)"
[ "$plain" -le 11 ] || fail "$plain different pictures without smooth motion (at most 11 expected)"
echo "ok: smooth motion shows pictures between ticks, and none without it"
