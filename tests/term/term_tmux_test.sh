#!/usr/bin/env bash
# marobel-term in a real terminal (tmux): a game played by keys sent to it
# shows the cabinet and its credits, ends on q with the terminal given
# back, and its record, replayed by marobel-sim, gives its very trace.
#   tests/term/term_tmux_test.sh MAROBEL_TERM MAROBEL_SIM ASSET_DIR
set -euo pipefail
term=$(readlink -f "$1") sim=$(readlink -f "$2") assets=$(readlink -f "$3")
work=$(mktemp -d)
socket="marobel-term-test-$$"
cleanup() {
  tmux -L "$socket" kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "term_tmux_test: FAIL: $*" >&2
  tmux -L "$socket" capture-pane -p -t game 2>/dev/null | tail -5 >&2 || true
  exit 1
}
wait_for() {  # seconds, command...
  local tries=$(($1 * 10))
  shift
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}
ticks() { [ -f "$work/term.trace" ] && wc -l <"$work/term.trace" || echo 0; }
ticked_past() { [ "$(ticks)" -gt "$1" ]; }

# The start-up's mistakes are the desktop game's, under this program's name.
"$term" --credits x >/dev/null 2>"$work/usage" && fail "a bad --credits was accepted"
grep -q "^marobel-term: " "$work/usage" || fail "the usage error does not name marobel-term: $(cat "$work/usage")"

tmux -L "$socket" new-session -d -s game -x 100 -y 30 -c "$assets" \
  "TERM=xterm-256color '$term' --credits 40 --record '$work/game.keys' --trace '$work/term.trace'; echo \$? >'$work/status'"
wait_for 20 ticked_past 3 || fail "the game does not tick"
for key in Left Right Right Left Left Right; do
  tmux -L "$socket" send-keys -t game "$key"
  now=$(ticks)
  wait_for 10 ticked_past "$now" || fail "the game stopped ticking"
done
wait_for 20 ticked_past 40 || fail "the game does not tick on"
screen=$(tmux -L "$socket" capture-pane -p -t game)
grep -q "credits" <<<"$screen" || fail "no credit count in the status line"
[ "$(grep -c '▀' <<<"$screen")" -ge 10 ] || fail "the cabinet is not drawn in half blocks"
tmux -L "$socket" send-keys -t game q
wait_for 10 test -f "$work/status" || fail "q did not end the game"
[ "$(cat "$work/status")" = 0 ] || fail "the game ended with status $(cat "$work/status")"

presses=$(grep -cE '^[0-9]+ ' "$work/game.keys" || true)
[ "$presses" -ge 6 ] || fail "the record holds $presses presses of the 6 sent"
last=$(($(wc -l <"$work/term.trace") - 1))
"$sim" --keys "$work/game.keys" --ticks "$last" --assets "$assets" --trace "$work/sim.trace" \
  || fail "marobel-sim refused the record"
cmp -s "$work/term.trace" "$work/sim.trace" || fail "the runner's trace of the record differs: $(diff "$work/term.trace" "$work/sim.trace" | head -3)"
echo "term_tmux_test: $presses presses over $last ticks; the runner's trace equals the terminal's"
