# shellcheck shell=bash
# Shared by the recorded-game checks of both desktop shells (sourced, not
# run): a window game is played with real key presses, recorded and traced,
# and the Linux runner must compute the same trace from the record.
#
# Callers define fail() and note() and set RG_SIM (the Linux marobel-sim)
# and RG_ASSETS (the generated pictures and sounds).

# Ticks a trace covers: its lines after the tick-0 line.
rg_ticks() { echo $(( $(wc -l <"$1") - 1 )); }

# Waits up to $2 seconds until the game session's trace $1 (written a line
# per tick) has reached tick $3.
rg_wait_tick() {
  local trace=$1 seconds=$2 tick=$3
  for _ in $(seq $((seconds * 10))); do
    [ -f "$trace" ] && [ "$(rg_ticks "$trace")" -ge "$tick" ] && return 0
    sleep 0.1
  done
  return 1
}

# Runs the runner on key script $1 for as many ticks as the window trace $2
# holds and checks the two traces are the same, line for line. $3 names
# the run in messages.
rg_same_as_runner() {
  local keys=$1 trace=$2 what=$3 ticks runner
  ticks=$(rg_ticks "$trace")
  [ "$ticks" -ge 1 ] || fail "$what: the trace holds no tick"
  runner="$trace.runner"
  "$RG_SIM" --ticks "$ticks" --keys "$keys" --assets "$RG_ASSETS" --trace "$runner" ||
    fail "$what: marobel-sim failed on the recorded script"
  if ! cmp -s "$trace" "$runner"; then
    local line
    line=$(cmp "$trace" "$runner" | awk '{print $NF}')
    fail "$what: the window's trace and marobel-sim's differ from line $line ($ticks ticks)"
  fi
  note "$what: the window's trace equals marobel-sim's, $ticks ticks, line for line"
}

# Checks that the game in trace $1 earned credits and spent at least $2 of
# them on coins (a credit is only ever spent by a key press).
rg_credits_spent() {
  local trace=$1 least=$2 spent
  spent=$(python3 - "$trace" <<'PY'
import json, sys
spent, last, earned = 0, None, 0
for line in open(sys.argv[1]):
    credits = json.loads(line)["credits"]
    if last is not None and credits < last:
        spent += last - credits
    earned = max(earned, credits)
    last = credits
print(spent if earned > 0 else -1)
PY
  )
  [ "$spent" -ge "$least" ] || fail "the game spent $spent credits, fewer than $least"
  note "the game earned credits and spent $spent of them on coins"
}

# The presses of key script $1, one "TICK KEY" a line, comments dropped.
rg_presses() { sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$1"; }

# Plays like a player on the focused window: a burst of arrow presses in
# both lanes, $1 of them, a few ticks apart.
rg_play_presses() {
  local count=$1 i
  for i in $(seq "$count"); do
    if [ $((i % 3)) -eq 0 ]; then xdotool key Left; else xdotool key Right; fi
    sleep 0.25
  done
}

# Checks a replay of key script $1 during which the player pressed arrows
# (to be ignored) and after whose last press the player pressed $4 more
# (to be taken); the replay recorded itself to $2 and traced itself to $3.
# The game must have taken exactly the script's presses and then the
# player's, and its trace must be the runner's: for the script alone up to
# the player's first press, and for the record as a whole.
rg_check_replay() {
  local script=$1 record=$2 trace=$3 own=$4 what=$5 scripted last_tick taken first_own
  scripted=$(rg_presses "$script" | wc -l)
  last_tick=$(rg_presses "$script" | tail -n1 | awk '{print $1}')
  rg_presses "$record" | head -n "$scripted" | cmp -s - <(rg_presses "$script") ||
    fail "$what: the game did not take the script's presses alone: the player's arrows reached it during the replay"
  taken=$(rg_presses "$record" | tail -n +$((scripted + 1)) | awk -v t="$last_tick" '$1 > t' | wc -l)
  [ "$taken" -eq "$own" ] || fail "$what: after the replay the game took $taken of the player's $own presses"
  note "$what: the player's arrows did nothing during the replay, and were taken after it"
  first_own=$(rg_presses "$record" | sed -n "$((scripted + 1))p" | awk '{print $1}')
  head -n "$first_own" "$trace" >"$trace.replayed"
  rg_same_as_runner "$script" "$trace.replayed" "$what (the script's part)"
  rg_same_as_runner "$record" "$trace" "$what (with the player's presses)"
}

# The tick of trace $1's first line: where a continued game resumed.
rg_first_tick() { head -n1 "$1" | python3 -c 'import json,sys; print(json.load(sys.stdin)["tick"])'; }

# Joins the traces of a kept game's sessions, $2 $3 $4 $5: each continued
# session's first line (the tick it resumed at) aside, and of the third,
# killed, session only the ticks up to $1, where the fourth resumed.
rg_join_kept() {
  python3 - "$@" <<'PY'
import json, sys
resumed = int(sys.argv[1])
for n, name in enumerate(sys.argv[2:]):
    for i, line in enumerate(open(name)):
        if (n > 0 and i == 0) or (n == 2 and json.loads(line)["tick"] > resumed):
            continue
        sys.stdout.write(line)
PY
}
