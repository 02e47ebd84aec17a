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
