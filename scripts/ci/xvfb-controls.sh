#!/usr/bin/env bash
# The window's own controls on a real X server (Xvfb), with real key
# presses: P pauses (no tick is traced for 2 s, and an arrow pressed
# meanwhile is neither taken nor recorded), P again goes on, and the game
# with its pause, run through marobel-sim from its record, gives the same
# trace; the settings file is the player's (a damaged line is told in one
# line on stderr); the menus speak the system's language.
#
#   scripts/ci/xvfb-controls.sh BUILD_DIR [SCREENSHOT_DIR]
#
# With SCREENSHOT_DIR, the open File menu in English and in Japanese is
# kept there as qt-menu-en.png and qt-menu-ja.png.
# Exits 77 (skipped) when Xvfb, xdotool, import or python3 are not installed.
set -uo pipefail

build=$(cd "${1:?usage: xvfb-controls.sh BUILD_DIR [SCREENSHOT_DIR]}" && pwd)
shots=${2:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
game="$build/app/qt/marobel"
close_request="$build/tests/qt/marobel-x11-close"
RG_SIM="$build/app/sim/marobel-sim"
RG_ASSETS="$build/assets"
# shellcheck disable=SC2034  # start_game's
title='^Marobel .*Orvik'  # xdotool's pattern; its locale may not read the tildes

fail() { echo "FAIL: $*"; exit 1; }
note() { echo "ok: $*"; }
# shellcheck source=recorded-game-lib.sh
. "$here/recorded-game-lib.sh"

for tool in Xvfb xdotool import python3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
for file in "$game" "$close_request" "$RG_SIM" "$RG_ASSETS/back.bmp"; do
  [ -e "$file" ] || fail "$file is missing; build the project first"
done

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=xvfb-lib.sh
. "$here/xvfb-lib.sh"
window=""  # the game's, as start_game finds it
start_xvfb 1024x768x24
unset LC_ALL LC_MESSAGES

# $1: the LANG to start in; the rest: the game's options.
# A pause in a recorded game.
LANG=en_US.UTF-8 start_game --scale 1 --record "$work/game.keys" --trace "$work/game.trace"
rg_wait_tick "$work/game.trace" 20 5 || fail "the game does not tick"
xdotool key p
sleep 0.5  # the key and a tick already under way
paused_at=$(rg_ticks "$work/game.trace")
xdotool key Right
sleep 2
[ "$(rg_ticks "$work/game.trace")" -eq "$paused_at" ] ||
  fail "the paused game ran $(($(rg_ticks "$work/game.trace") - paused_at)) ticks in 2 s"
note "paused, no tick ran for 2 s"
xdotool key p
rg_wait_tick "$work/game.trace" 10 $((paused_at + 3)) || fail "P again did not let the game go on"
for key in Right Left; do xdotool key "$key"; sleep 0.4; done
sleep 0.6
end_game
[ "$(rg_presses "$work/game.keys" | wc -l)" -eq 2 ] ||
  fail "the record holds $(rg_presses "$work/game.keys" | wc -l) presses, not the 2 coins after the pause: $(rg_presses "$work/game.keys")"
[ "$(rg_presses "$work/game.keys" | awk '{print $1}' | head -n1)" -gt "$paused_at" ] ||
  fail "a press of the pause is in the record"
note "the record holds the 2 coins after the pause, and neither P nor the arrow pressed while paused"
rg_same_as_runner "$work/game.keys" "$work/game.trace" "paused game"

# The settings: a damaged line is told once, and the rest counts.
mkdir -p "$XDG_CONFIG_HOME/marobel"
printf 'smooth=off\nloudness=11\n' >"$XDG_CONFIG_HOME/marobel/settings.txt"
LANG=en_US.UTF-8 start_game --scale 1
sleep 0.5
grep -c 'line 2' "$work/game.log" | grep -qx 1 || fail "the damaged settings line was not told in one line: $(cat "$work/game.log")"
note "a damaged settings file: $(cat "$work/game.log")"
xdotool key m  # sound off: saved at once
sleep 0.3
end_game
grep -qx 'sound=off' "$XDG_CONFIG_HOME/marobel/settings.txt" && grep -qx 'smooth=off' "$XDG_CONFIG_HOME/marobel/settings.txt" ||
  fail "M was not saved over the settings read: $(cat "$XDG_CONFIG_HOME/marobel/settings.txt")"
note "M turned the sound off and the settings were saved"
rm -f "$XDG_CONFIG_HOME/marobel/settings.txt"

# The open File menu in the system's language, kept as a picture.
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  for lang in en ja; do
    LANG="$([ $lang = en ] && echo en_US.UTF-8 || echo ja_JP.UTF-8)" start_game --scale 1
    sleep 1
    xdotool key alt+f
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/qt-menu-$lang.png" ||
      fail "could not take the screenshot"
    xdotool key Escape
    end_game
    note "the File menu ($lang) is in $shots/qt-menu-$lang.png"
  done
fi
echo "PASS"
