# shellcheck shell=bash
# The window's own controls in marobel.exe under Wine, sourced by
# wine-smoke.sh (with what it sets up: wait_window, close_box, wait_exit,
# game_dir, work, shots, title, and the recorded-game helpers):
#   - a picture of the English File menu, for the eye;
#   - a damaged settings file is one line on the error stream, and the
#     game goes on;
#   - P pauses: no tick for 2 s, the picture dimmed, and an arrow pressed
#     meanwhile reaches neither the game nor its record; P again goes on,
#     and the record, without the pause's keys, gives the runner the
#     window's very trace.
# shellcheck disable=SC2154

# The mean brightness of the cabinet area of X window $1, 0 to 1.
cabinet_brightness() {
  import -window "$1" "$work/controls-shot.png"
  cabinet_crop "$work/controls-shot.png" "$work/controls-cabinet.png"
  convert "$work/controls-cabinet.png" -colorspace gray -format '%[fx:mean]' info:
}

controls_check() {
  local lang=C.UTF-8 record='controls.keys' trace='controls.jsonl' window settings
  settings="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Marobel/settings.txt"
  mkdir -p "$(dirname "$settings")"
  printf 'volume=9\n' >"$settings"
  (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe --record "$record" --trace "$trace") \
    >/dev/null 2>"$work/controls-err" &
  # shellcheck disable=SC2034  # wait_exit and the clean-up read it
  game_pid=$!
  window="$(wait_window 90 "$title")" || fail "[controls] no window titled '$title'"
  rg_wait_tick "$game_dir/$trace" 30 5 || fail "[controls] the game does not tick"
  rm -f "$settings"
  grep -q 'settings.txt: line 1' "$work/controls-err" ||
    fail "[controls] a damaged settings file was not told on the error stream: $(cat "$work/controls-err")"
  note "[controls] a damaged settings file: $(grep 'settings.txt' "$work/controls-err" | tr -d '\r')"

  # The English menus: Wine keeps a menu in its own process, out of the
  # text probe's reach, so they are seen, in a picture of the File menu.
  xdotool windowfocus --sync "$window"
  xdotool key alt+f
  sleep 0.7
  import -window root -crop 420x480+0+0 +repage "$shots/controls-file-menu-en.png"
  xdotool key Escape Escape
  sleep 0.3

  local lit dim before after
  lit="$(cabinet_brightness "$window")"
  xdotool windowfocus --sync "$window"
  xdotool key p
  sleep 0.5
  before=$(rg_ticks "$game_dir/$trace")
  xdotool key Right
  sleep 2
  after=$(rg_ticks "$game_dir/$trace")
  [ "$after" -eq "$before" ] || fail "[controls] paused, the game ran $((after - before)) ticks in 2 s"
  dim="$(cabinet_brightness "$window")"
  awk -v d="$dim" -v l="$lit" 'BEGIN { exit !(d < 0.7 * l) }' ||
    fail "[controls] paused, the picture is not dimmed (brightness $dim, $lit before)"
  note "[controls] P paused the game at tick $before for 2 s (brightness $lit, paused $dim)"
  xdotool key p
  rg_wait_tick "$game_dir/$trace" 10 $((after + 3)) || fail "[controls] P again did not let the game go on"
  rg_play_presses 6
  sleep 0.5
  close_box "$window"
  wait_exit 30 || fail "[controls] the game did not end after its close box"
  [ "$exit_status" -eq 0 ] || fail "[controls] the game ended with exit status $exit_status"
  [ "$(rg_presses "$game_dir/$record" | wc -l)" -eq 6 ] ||
    fail "[controls] the record holds $(rg_presses "$game_dir/$record" | wc -l) presses, not the 6 coins: $(rg_presses "$game_dir/$record" | tr '\n' ' ')"
  rg_same_as_runner "$game_dir/$record" "$game_dir/$trace" "[controls] the paused game"
}
