# shellcheck shell=bash
# A virtual X server for the checks of the Linux window (sourced, not run).
# Callers define fail() and set $work, a folder of their own, and read
# $xvfb_pid to stop the server.
# shellcheck disable=SC2154,SC2034

# The game's window, once it is there (up to 10 s): its id, or nothing.
game_window() {
  local window=""
  for _ in $(seq 100); do
    window=$(xdotool search --name 'Marobel ～Orvik～' 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}

# Starts Xvfb on a display it picks itself, with one screen of $1
# (WIDTHxHEIGHTxDEPTH); sets xvfb_pid, exports DISPLAY and a runtime folder,
# and keeps the session's own display choices away from the game.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=":$(head -n1 "$work/display")"
  # The game keeps its games and settings in folders of the run alone.
  export DISPLAY XDG_RUNTIME_DIR="$work" XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# The largest visible window titled $title of process $1: its main window,
# though another of its own (a notice) or another game's be open too.
game_main_window() {
  local candidate best="" area most=0 WIDTH HEIGHT
  for candidate in $(xdotool search --all --onlyvisible --pid "$1" --name "$title" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$candidate" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=')"
    area=$((${WIDTH:-0} * ${HEIGHT:-0}))
    [ "$area" -gt "$most" ] && most=$area best=$candidate
  done
  echo "$best"
}

# Starts $game (the Qt program) in $RG_ASSETS with the arguments given and
# waits for its window ($title) to take the keyboard: sets game_pid and
# window; end_game closes it as its close box does and wants status 0.
# $close_request is the helper that sends that close.
start_game() {
  (cd "$RG_ASSETS" && exec "$game" "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
  window=""
  for _ in $(seq 100); do
    window=$(game_main_window "$game_pid")
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start: $(cat "$work/game.log")"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no game window appeared"
  # Without a window manager nobody hands out the keyboard focus; the
  # window takes it only once it is mapped.
  for _ in $(seq 20); do xdotool windowfocus --sync "$window" 2>/dev/null && return; sleep 0.1; done
  fail "the game window does not take the keyboard focus"
}
end_game() {
  "$close_request" "$window" || fail "could not send the close request"
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the close request did not end the game"
  wait "$game_pid"
  local status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
}
