#!/usr/bin/env bash
# Recorded games in the Linux window, on a real X server (Xvfb), with real
# key presses:
#   - a game played with --record and --trace (credits earned and spent, a
#     press while the version box is open that must not count) gives, run
#     through marobel-sim with the recorded script, the same trace;
#   - that script replayed in the window with --replay: the player's arrows
#     do nothing while it runs, the title stays the game's, after its last
#     press the player takes over, and the trace is marobel-sim's;
#   - free play (--credits): the record names the credits, the runner agrees;
#   - a kept game (--continue) closed and continued, killed (-9) and
#     continued: the runner on the kept record gives every session's lines;
#     a second window on it meanwhile says it is in use and keeps nothing,
#     and the game goes on where the first window left it;
#     a damaged one is reported in one line, set aside, and a new game starts;
#   - --version, an unknown option and a bad script, without any window,
#     and Qt's -platform handed on to Qt,
#     and through the installed launcher a script named relative to where
#     it was started.
#
#   scripts/ci/xvfb-recorded-game.sh BUILD_DIR
#
# Exits 77 (skipped) when Xvfb, xdotool or python3 are not installed.
set -uo pipefail

build=$(cd "${1:?usage: xvfb-recorded-game.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
game="$build/app/qt/marobel"
close_request="$build/tests/qt/marobel-x11-close"
RG_SIM="$build/app/sim/marobel-sim"
RG_ASSETS="$build/assets"
title='Marobel ～Orvik～'

fail() { echo "FAIL: $*"; exit 1; }
note() { echo "ok: $*"; }
# shellcheck source=recorded-game-lib.sh
. "$here/recorded-game-lib.sh"

for tool in Xvfb xdotool python3; do
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
  rm -rf "$work"
}
trap cleanup EXIT

# Without a display: what needs no window must not open one.
version=$(sed -n 's/^#define MAROBEL_VERSION "\(.*\)"$/\1/p' "$build/generated/marobel_version.h")
out=$(env -u DISPLAY "$game" --version) || fail "--version ended with status $?"
[ "$out" = "marobel $version" ] || fail "--version printed '$out', not 'marobel $version'"
note "--version prints 'marobel $version'"
env -u DISPLAY "$game" --bogus >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 2 ] && [ ! -s "$work/out" ] &&
  [ "$(tail -n1 "$work/err")" = "Try 'marobel --help'." ] ||
  fail "an unknown option gave status $status and: $(cat "$work/err")"
note "an unknown option: status 2, $(head -n1 "$work/err")"
# Qt's own options reach Qt: on its offscreen platform the game runs
# without any display until it is stopped.
status=0
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 3 "$game" -platform offscreen) >/dev/null 2>"$work/err" ||
  status=$?
[ "$status" -eq 124 ] || fail "-platform offscreen did not reach Qt: status $status, $(cat "$work/err")"
note "-platform offscreen is handed on to Qt"
printf '4 right\n3 left\n' >"$work/bad.keys"
env -u DISPLAY "$game" --replay "$work/bad.keys" --record "$work/never.keys" 2>"$work/err"
status=$?
"$RG_SIM" --keys "$work/bad.keys" --trace /dev/null 2>"$work/sim-err"
[ "$status" -eq 2 ] || fail "a bad script gave status $status"
[ "$(sed 's/^marobel: //' "$work/err")" = "$(sed 's/^marobel-sim: //' "$work/sim-err")" ] ||
  fail "a bad script's message '$(cat "$work/err")' is not the runner's '$(cat "$work/sim-err")'"
[ -e "$work/never.keys" ] && fail "a session that did not start left a record"
note "a bad script: status 2 and the runner's message: $(cat "$work/err")"

# The installed launcher starts the game in its data folder; a file named
# relative to where the player started it must still be found there.
cmake --install "$build" --prefix "$work/installed" >"$work/install.log" 2>&1 || fail "install: $(tail -3 "$work/install.log")"
(cd "$work" && env -u DISPLAY "$work/installed/bin/marobel" --replay bad.keys 2>"$work/err")
status=$?
[ "$status" -eq 2 ] && grep -qF "$work/bad.keys:2:" "$work/err" ||
  fail "the installed launcher did not pass on the relative script name: status $status, $(cat "$work/err")"
note "the installed launcher passes relative file names on: $(cat "$work/err")"

# shellcheck source=xvfb-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/xvfb-lib.sh"
window=""  # the game's, as start_game finds it
start_xvfb 1024x768x24

about_box_open() { xdotool search --name 'ﾊﾞｰｼﾞｮﾝ情報' >/dev/null 2>&1; }

# Game 1: played and recorded.
start_game --record "$work/game.keys" --trace "$work/game.trace"
rg_wait_tick "$work/game.trace" 20 5 || fail "the game does not tick"
rg_play_presses 12
xdotool key alt+question
for _ in $(seq 30); do about_box_open && break; sleep 0.1; done
about_box_open || fail "Alt+? did not open the version box"
xdotool key Right  # the box has the keys: not the game's, not recorded
sleep 0.5
xdotool key Escape
for _ in $(seq 30); do about_box_open || break; sleep 0.1; done
about_box_open && fail "Escape did not close the version box"
sleep 1
end_game
[ "$(rg_presses "$work/game.keys" | wc -l)" -eq 12 ] ||
  fail "the record holds $(rg_presses "$work/game.keys" | wc -l) presses, not the 12 the game took"
note "the record holds the 12 presses the game took"
rg_credits_spent "$work/game.trace" 5
rg_same_as_runner "$work/game.keys" "$work/game.trace" "recorded game"

# Game 2: the record replayed, with the player's arrows pressed during it
# and after it; recorded again to see which presses the game took.
last_tick=$(rg_presses "$work/game.keys" | tail -n1 | awk '{print $1}')
start_game --replay "$work/game.keys" --trace "$work/replay.trace" --record "$work/replay.keys"
[ "$(xdotool getwindowname "$window")" = "$title" ] || fail "the replay's window is titled '$(xdotool getwindowname "$window")'"
rg_wait_tick "$work/replay.trace" 20 2 || fail "the replay does not tick"
for key in Right Left Right Left; do xdotool key "$key"; sleep 0.1; done
sleep 0.3
[ "$(rg_ticks "$work/replay.trace")" -lt "$last_tick" ] || fail "the replay ended before the player's presses (too slow?)"
rg_wait_tick "$work/replay.trace" 60 $((last_tick + 2)) || fail "the replay does not reach tick $last_tick"
xdotool key Right
sleep 0.3
xdotool key Right
sleep 0.6
end_game
rg_check_replay "$work/game.keys" "$work/replay.keys" "$work/replay.trace" 2 "replay"
# Game 3: free play. The record's first line names the credits, so the
# runner plays the same game from the record alone.
start_game --credits 1000 --record "$work/free.keys" --trace "$work/free.trace"
rg_wait_tick "$work/free.trace" 20 2 || fail "the free-play game does not tick"
rg_play_presses 6
sleep 0.6
end_game
[ "$(head -n1 "$work/free.keys")" = "# credits 1000" ] || fail "the free-play record starts with '$(head -n1 "$work/free.keys")'"
[ "$(head -n1 "$work/free.trace" | python3 -c 'import json,sys; print(json.load(sys.stdin)["credits"])')" = 1000 ] ||
  fail "the free-play game did not start with 1000 credits"
rg_same_as_runner "$work/free.keys" "$work/free.trace" "free play"

# Game 4: a kept game, continued after a close and after a kill -9, then
# damaged. The runner on the kept record must give every session's lines in
# turn (each continued session's first line, the tick it resumed at, aside).
export XDG_STATE_HOME="$work/state"
kept="$XDG_STATE_HOME/marobel"
kept_session() {  # $1: trace; plays a few presses
  start_game --continue --trace "$1"
  rg_wait_tick "$1" 20 2 || fail "the kept game does not tick"
  rg_play_presses 5
}
kept_session "$work/kept-1.trace"; sleep 0.5; end_game
kept_session "$work/kept-2.trace"
# A second window on the same kept game opens, says in a box of its own
# that the game is in use, and plays a game that is not kept: its presses
# must never reach the first one's record (the runner would disagree).
first_pid=$game_pid first_window=$window
start_game --continue
grep -q 'kept game is in use' "$work/game.log" || fail "the second window did not say the game is in use: $(cat "$work/game.log")"
for _ in $(seq 30); do
  [ "$(xdotool search --all --onlyvisible --pid "$game_pid" --name "$title" 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.1
done
[ "$(xdotool search --all --onlyvisible --pid "$game_pid" --name "$title" 2>/dev/null | wc -l)" -ge 2 ] ||
  fail "the second window shows no notice box"
rg_play_presses 4
end_game
note "a second window on the kept game said so in a box and played unkept: $(cat "$work/game.log")"
game_pid=$first_pid window=$first_window
xdotool windowfocus --sync "$window" || fail "the first window does not take the keyboard back"
rg_play_presses 2
sleep 0.5; end_game
[ "$(rg_first_tick "$work/kept-2.trace")" -eq "$(rg_ticks "$work/kept-1.trace")" ] ||
  fail "the continued game resumed at tick $(rg_first_tick "$work/kept-2.trace"), not $(rg_ticks "$work/kept-1.trace")"
note "the continued game resumed at tick $(rg_first_tick "$work/kept-2.trace"), where its window closed"
kept_session "$work/kept-3.trace"
[ "$(head -n1 "$work/kept-3.trace")" = "$(tail -n1 "$work/kept-2.trace")" ] ||
  fail "after both windows closed the kept game resumed at $(head -n1 "$work/kept-3.trace"), not where the first left it: $(tail -n1 "$work/kept-2.trace")"
note "after both windows closed the kept game went on at tick $(rg_first_tick "$work/kept-3.trace"), as the first window left it"
sleep 3  # past a tick marker
kill -9 "$game_pid"
wait "$game_pid" 2>/dev/null
game_pid=""
marked=$(grep '^# tick ' "$kept/game.keys" | tail -n1 | awk '{print $3}')
start_game --continue --trace "$work/kept-4.trace"
rg_wait_tick "$work/kept-4.trace" 20 3 || fail "the game continued after the kill does not tick"
end_game
resumed=$(rg_first_tick "$work/kept-4.trace")
[ "$resumed" -ge "$marked" ] || fail "after the kill the game resumed at tick $resumed, before its last marker $marked"
note "after kill -9 the game resumed at tick $resumed (last marker $marked)"
rg_join_kept "$resumed" "$work"/kept-{1,2,3,4}.trace >"$work/kept.trace"
rg_same_as_runner "$kept/game.keys" "$work/kept.trace" "kept game over four sessions and a kill"
# A record damaged before its end (a refused snapshot alone would be
# rebuilt from the record, and a torn last line cut off).
sed -i "2i this is no key press" "$kept/game.keys"
start_game --continue --trace "$work/kept-5.trace"
rg_wait_tick "$work/kept-5.trace" 20 1 || fail "the game after a damaged kept game does not tick"
end_game
[ "$(rg_first_tick "$work/kept-5.trace")" -eq 0 ] || fail "a damaged kept game was continued"
grep -c 'cannot be continued' "$work/game.log" | grep -qx 1 || fail "no one-line report of the damaged game: $(cat "$work/game.log")"
ls "$kept"/game.snapshot.set-aside-* "$kept"/game.keys.set-aside-* >/dev/null 2>&1 || fail "the damaged files are not kept aside"
note "a damaged kept game: $(cat "$work/game.log")"
echo "PASS"
