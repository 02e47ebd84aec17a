# shellcheck shell=bash
# The kept game (--continue) of marobel.exe under Wine, sourced by
# wine-smoke.sh after recorded_games (and with what it sets up: run_game,
# wait_window, close_box, wait_exit, the recorded-game helpers): closed and
# continued, killed (-9) and continued, then damaged. The Linux runner on
# the kept record must give every session's lines in turn; the damaged
# game is told in the window, not only on standard error.
# game_dir, work, title, text_probe and exit_status come from wine-smoke.sh.
# shellcheck disable=SC2154
kept_games() {
  local lang=C.UTF-8 local_app kept n marked resumed
  run_game() { (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe "$@"); }
  local_app="$(LANG=$lang wine cmd /c echo '%LOCALAPPDATA%' 2>/dev/null | tr -d '\r')"
  kept="$(winepath -u "$local_app" 2>/dev/null)/Marobel"
  [ -n "$local_app" ] && [ "${kept#/}" != "$kept" ] || fail "[kept] no %LOCALAPPDATA% in the prefix"
  rm -rf "$kept"
  kept_session() {  # $1: the trace's name in the game folder
    run_game --continue --trace "$1" >/dev/null 2>"$work/kept.err" &
    game_pid=$!
    window="$(wait_window 90 "$title")" || fail "[kept] no window: $(cat "$work/kept.err")"
    rg_wait_tick "$game_dir/$1" 30 2 || fail "[kept] the game does not tick"
    xdotool windowfocus --sync "$window"
    rg_play_presses 5
  }
  # The window's notice box, captioned with the window's title: its text
  # read back through the wide entry points, then the box closed by its
  # close box. The later of the two windows of that name is the box.
  kept_notice() {  # $1: words the notice holds
    local texts="" box
    for _ in $(seq 60); do
      texts="$(wine "$text_probe" 2>/dev/null | tr -d '\r')" || true
      grep -q "^notice .*$1" <<<"$texts" && break
      sleep 0.5
    done
    grep -q "^notice .*$1" <<<"$texts" || fail "[kept] the window shows no notice of '$1': $texts"
    window="$(xdotool search --onlyvisible --name "$title" | sort -n | head -n1)"
    box="$(xdotool search --onlyvisible --name "$title" | sort -n | tail -n1)"
    [ "$box" != "$window" ] || fail "[kept] the notice has no window of its own"
    close_box "$box"
    for _ in $(seq 50); do
      [ "$(xdotool search --onlyvisible --name "$title" | wc -l)" -eq 1 ] && break
      sleep 0.2
    done
    [ "$(xdotool search --onlyvisible --name "$title" | wc -l)" -eq 1 ] || fail "[kept] the notice box does not close"
    note "[kept] the window told it: $(grep -m1 "^notice .*$1" <<<"$texts" | cut -c8-)"
  }
  kept_close() {
    sleep 0.5
    close_box "$window"
    wait_exit 30 || fail "[kept] the game did not end after its close box"
    [ "$exit_status" -eq 0 ] || fail "[kept] the game ended with exit status $exit_status"
  }
  for n in 1 2; do kept_session "kept-$n.jsonl"; kept_close; done
  [ -f "$kept/game.keys" ] && [ -f "$kept/game.snapshot" ] || fail "[kept] nothing kept in %LOCALAPPDATA%\\Marobel"
  [ "$(rg_first_tick "$game_dir/kept-2.jsonl")" -eq "$(rg_ticks "$game_dir/kept-1.jsonl")" ] ||
    fail "[kept] the continued game resumed at tick $(rg_first_tick "$game_dir/kept-2.jsonl"), not where it closed"
  note "[kept] continued at tick $(rg_first_tick "$game_dir/kept-2.jsonl"), where its window closed, kept in $local_app\\Marobel"
  kept_session kept-3.jsonl
  sleep 3  # past a tick marker
  # The game itself, not the shell that started it: the process of this
  # prefix that runs marobel.exe.
  local pid
  for pid in $(pgrep -f 'marobel\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && kill -9 "$pid" || true
  done
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
  wait_no_window 30 "$title" || fail "[kept] the killed game's window stays"
  marked=$(grep -a '^# tick ' "$kept/game.keys" | tail -n1 | awk '{print $3}')
  kept_session kept-4.jsonl
  kept_close
  resumed=$(rg_first_tick "$game_dir/kept-4.jsonl")
  [ "$resumed" -ge "$marked" ] || fail "[kept] after the kill the game resumed at tick $resumed, before its last marker $marked"
  note "[kept] after kill -9 the game resumed at tick $resumed (last marker $marked)"
  rg_join_kept "$resumed" "$game_dir"/kept-{1,2,3,4}.jsonl >"$work/kept.jsonl"
  rg_same_as_runner "$kept/game.keys" "$work/kept.jsonl" "[kept] Windows game over four sessions and a kill"
  # A record damaged before its end (a refused snapshot alone would be
  # rebuilt from the record, and a torn last line cut off).
  sed -i "2i this is no key press" "$kept/game.keys"
  run_game --continue --trace kept-5.jsonl >"$work/kept.out" 2>&1 &
  game_pid=$!
  window="$(wait_window 90 "$title")" || fail "[kept] no window after a damaged kept game: $(cat "$work/kept.out")"
  rg_wait_tick "$game_dir/kept-5.jsonl" 30 1 || fail "[kept] the new game does not tick"
  kept_notice 'cannot be continued'
  kept_close
  [ "$(rg_first_tick "$game_dir/kept-5.jsonl")" -eq 0 ] || fail "[kept] a damaged kept game was continued"
  grep -a -q 'cannot be continued' "$work/kept.out" || fail "[kept] no report of the damaged game: $(cat "$work/kept.out")"
  ls "$kept"/game.snapshot.set-aside-* "$kept"/game.keys.set-aside-* >/dev/null 2>&1 || fail "[kept] the damaged files are not kept aside"
  note "[kept] a damaged kept game: $(tr -d '\r' <"$work/kept.out" | grep -a 'cannot be continued')"
}
