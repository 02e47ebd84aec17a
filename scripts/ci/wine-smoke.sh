#!/usr/bin/env bash
# Runs the Windows game under Wine on a virtual X display, as a player
# would, once with a system code page other than 932 (C.UTF-8) and once
# with 932 (ja_JP.UTF-8):
#   - the window appears with its exact title (read back through the wide
#     entry points too, and so is the About box's text) and shows the cabinet, and
#     the picture changes over time (the game ticks);
#   - a right-arrow press is taken;
#   - Alt+"/" and Alt+"?" open the About box, Escape and its close box end it;
#   - the close box (the window manager's delete request) ends the process
#     with exit status 0;
#   - a kept game (--continue) closed, killed and damaged, checked by the
#     Linux runner on the kept record (wine-kept-game.sh);
#   - smooth motion (wine-smooth-motion.sh): the cabinet shows many more
#     distinct pictures with it on, the default, than off; the View menu's
#     item and --no-smooth switch it;
#   - the window's controls (wine-controls.sh): the English menu bar, a
#     damaged settings file told, P pausing the game and its record;
#   - recorded games: a game played with --record and --trace gives, run
#     through the Linux marobel-sim with the recorded script, the same trace
#     (so Windows computes the same game as Linux, with smooth motion on),
#     and so does a --replay of it, with file names that only UTF-16 can
#     carry; --version, an unknown option and a bad script end at once
#     with their statuses.
# Then scripts/ci/wine-scale.sh: the window on a 3840 by 2160 screen, and
# scripts/ci/wine-fonts.sh: the menus where no face draws Japanese.
# Before that, the Windows-only checks program (text drawn by GDI) runs.
# The prefix sees none of this machine's fonts: the game's Japanese text
# must come out of the font it ships.
#
#   scripts/ci/wine-smoke.sh [cross build folder [native build folder]]
# Without a folder it builds build-win with scripts/build-windows.sh first.
# The recorded games need the native build's marobel-sim (default: build);
# without it they are left out, with a note.
# Leaves screenshots in $MAROBEL_SMOKE_SHOTS (default <build>/wine-smoke).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac  # it is used after changing folders
native="${2:-$root/build}"
case "$native" in /*) ;; *) native="$PWD/$native" ;; esac
shots="${MAROBEL_SMOKE_SHOTS:-$build/wine-smoke}"
title='Marobel ～Orvik～'
about_caption='ﾊﾞｰｼﾞｮﾝ情報'
about_text='Marobel ～Orvik～ Version 1.0'

fail() { echo "wine-smoke: FAIL: $*" >&2; exit 1; }
note() { echo "wine-smoke: $*"; }

# Without a folder given, (re)build: an old package must not be tested.
[ $# -ge 1 ] || MAROBEL_WIN_BUILD="$build" "$root/scripts/build-windows.sh"
zip="$(ls "$build"/marobel-*-win64.zip 2>/dev/null | head -1 || true)"
[ -n "$zip" ] || fail "no package in $build (scripts/build-windows.sh makes it)"

# wait_window, wait_no_window, close_box, cabinet_crop, cabinet_shown;
# open_work_folder.
source "$root/scripts/ci/wine-windows.sh"
# The game runs from the unpacked package: it reads its pictures and sounds
# by bare name from the working directory.
open_work_folder marobel-wine "$zip"
mkdir -p "$shots"
[ -f "$game_dir/marobel.exe" ] || fail "no marobel.exe in $zip"
[ "$(ls "$game_dir"/*.bmp | wc -l)" -eq 20 ] || fail "the package does not hold the 20 pictures"
[ "$(ls "$game_dir"/*.wav | wc -l)" -eq 7 ] || fail "the package does not hold the 7 sounds"

# An X server of its own.
# shellcheck source=xvfb-lib.sh
. "$root/scripts/ci/xvfb-lib.sh"
start_xvfb 1024x768x24

export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# No browser or .NET add-on installs (they would wait for a click), no
# desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine would offer every font of this machine to the game. A Windows that
# is not Japanese may have no Japanese gothic face at all, so the prefix
# sees only Wine's own fonts and the game must bring its own.
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' \
  "$work/fontconfig-cache" >"$work/fonts.conf"
host_font() { readlink -f "$(fc-match -f '%{file}' "$1")"; }
ui_font="$(host_font 'IPAPGothic:lang=ja')"
[ -f "$ui_font" ] || fail "no Japanese UI font installed (fonts-ipafont-gothic)"
export FONTCONFIG_FILE="$work/fonts.conf"
note "creating the Wine prefix (slow the first time)"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# The Windows-only code's own checks: text drawn by GDI with the font
# shipped beside the program, the prefix having no Japanese face.
checks="$build/app/win32/marobel_win32_checks.exe"
[ -f "$checks" ] || fail "$checks is missing (scripts/build-windows.sh builds it)"
wine "$checks" "$(winepath -w "$shots")" || fail "the Windows text checks"
text_probe="$build/app/win32/marobel_window_texts.exe"
[ -f "$text_probe" ] || fail "$text_probe is missing (scripts/build-windows.sh builds it)"

# Menus and dialogs are drawn in the system's UI font, which on Windows of
# any language links to a Japanese UI face for Japanese text; Wine's UI
# fonts have no such link. So the prefix gets one, to IPA P Gothic: another
# family than the game's, which must still come from the game's own file.
cp "$ui_font" "$WINEPREFIX/drive_c/windows/Fonts/"
for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" System; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$face" /t REG_MULTI_SZ /d "$(basename "$ui_font"),IPAPGothic" /f >/dev/null 2>&1
done
# Japanese menus ask for the Japanese UI faces by name.
for face in "MS UI Gothic" "MS PGothic" "ＭＳ Ｐゴシック"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
done
wineserver -w

# The exit-status check below must be able to fail: Wine passes a
# program's exit code through.
set +e
wine cmd /c exit 3 >/dev/null 2>&1
probe=$?
set -e
[ "$probe" -eq 3 ] || fail "Wine does not pass exit codes through (got $probe for 3)"


# Waits up to $1 seconds for the game process and sets exit_status. Runs in
# this shell, not a subshell: only the parent can collect a child's status.
exit_status=""
wait_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 5))); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      exit_status=0
      wait "$game_pid" || exit_status=$?
      game_pid=""
      return 0
    fi
    sleep 0.2
  done
  return 1
}
scenario() {
  local lang=$1 tag=$2
  note "[$tag] starting the game with LANG=$lang"
  (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe) >/dev/null 2>&1 &
  game_pid=$!

  local window
  window="$(wait_window 90 "$title")" || fail "[$tag] no window titled '$title'"
  note "[$tag] window $window is titled '$title'"

  sleep 3  # fifteen ticks at 200 ms
  import -window "$window" "$shots/$tag-game-1.png"
  sleep 1
  import -window "$window" "$shots/$tag-game-2.png"
  cabinet_crop "$shots/$tag-game-1.png" "$work/cabinet-1.png"
  cabinet_crop "$shots/$tag-game-2.png" "$work/cabinet-2.png"
  local lit colours changed
  lit="$(convert "$work/cabinet-1.png" -colorspace gray -threshold 4% -format '%[fx:mean]' info:)"
  colours="$(convert "$work/cabinet-1.png" -format '%k' info:)"
  note "[$tag] cabinet area: lit fraction $lit, $colours colours"
  awk -v v="$lit" 'BEGIN { exit !(v >= 0.6) }' || fail "[$tag] the cabinet is not shown (lit fraction $lit)"
  [ "$colours" -ge 16 ] || fail "[$tag] the cabinet area is nearly flat ($colours colours)"
  changed="$(compare -metric AE "$work/cabinet-1.png" "$work/cabinet-2.png" null: 2>&1 || true)"
  note "[$tag] pixels changed in one second: $changed"
  awk -v v="$changed" 'BEGIN { exit !(v + 0 >= 50) }' || fail "[$tag] the picture does not move: no ticks?"

  xdotool windowfocus --sync "$window"
  xdotool key Right
  sleep 0.5
  kill -0 "$game_pid" 2>/dev/null || fail "[$tag] the game ended after a right-arrow press"

  local dialog
  xdotool windowfocus --sync "$window"
  xdotool key alt+slash
  dialog="$(wait_window 15 "$about_caption")" || fail "[$tag] Alt+/ opened no About box"
  note "[$tag] Alt+/ opened the About box ($dialog)"
  sleep 0.5
  import -window root "$shots/$tag-about.png"
  # Read back as a Windows program reads them, whatever the code page.
  local texts
  texts="$(wine "$text_probe" 2>/dev/null | tr -d '\r')" || fail "[$tag] the text probe found no game window"
  grep -qxF "title $title" <<<"$texts" || fail "[$tag] the wide title is not '$title': $texts"
  grep -qxF "about $about_text" <<<"$texts" || fail "[$tag] the About box does not read '$about_text': $texts"
  note "[$tag] through the wide entry points: '$title', '$about_text'"
  xdotool windowfocus --sync "$dialog"
  xdotool key Escape
  wait_no_window 15 "$about_caption" || fail "[$tag] Escape did not close the About box"
  note "[$tag] Escape closed it"

  xdotool windowfocus --sync "$window"
  xdotool key alt+question
  dialog="$(wait_window 15 "$about_caption")" || fail "[$tag] Alt+? opened no About box"
  close_box "$dialog"
  wait_no_window 15 "$about_caption" || fail "[$tag] the About box's close box did not close it"
  note "[$tag] Alt+? opened it again, its close box closed it"

  sleep 0.5
  close_box "$window"
  wait_exit 30 || fail "[$tag] the game did not end after its close box"
  [ "$exit_status" -eq 0 ] || fail "[$tag] the game ended with exit status $exit_status"
  note "[$tag] the close box ended the game with exit status 0"
}

has_japanese_locale() { locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; }
if ! has_japanese_locale; then
  # Wine takes its code page from the locale, which must exist to be used.
  note "compiling the ja_JP.UTF-8 locale"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || fail "cannot make the ja_JP.UTF-8 locale (package locales, root)"
fi

# Recorded games, played by key presses in the Windows window and checked
# against the Linux runner.
recorded_games() {
  local lang=C.UTF-8 out status
  # A Linux file name in UTF-8 reaches the game as UTF-16 only through the
  # wide command line; these cannot be spelt in code page 1252.
  local record='記録 ü.keys' trace='軌跡 ü.jsonl' replay_record='再生 ü.keys' replay_trace='再生 ü.jsonl'
  run_game() { (cd "$game_dir" && LANG="$lang" LC_ALL="$lang" exec wine marobel.exe "$@"); }

  out="$(run_game --version 2>/dev/null | tr -d '\r')" || fail "[recorded] --version ended with status $?"
  [ "$out" = "marobel $version" ] || fail "[recorded] --version printed '$out', not 'marobel $version'"
  note "[recorded] --version prints '$out'"
  status=0
  timeout 60 bash -c 'cd "$1" && exec wine marobel.exe --bogus' _ "$game_dir" >/dev/null 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "[recorded] an unknown option gave status $status: $(cat "$work/err")"
  note "[recorded] an unknown option: status 2, $(tr -d '\r' <"$work/err")"
  printf '4 right\n3 left\n' >"$game_dir/bad.keys"
  status=0
  timeout 60 bash -c 'cd "$1" && exec wine marobel.exe --replay bad.keys --record never.keys' _ "$game_dir" \
    >/dev/null 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "[recorded] a bad script gave status $status: $(cat "$work/err")"
  (cd "$game_dir" && "$RG_SIM" --keys bad.keys --trace /dev/null 2>"$work/sim-err") && fail "marobel-sim took a bad script"
  [ "$(tr -d '\r' <"$work/err" | sed 's/^marobel: //')" = "$(sed 's/^marobel-sim: //' "$work/sim-err")" ] ||
    fail "[recorded] a bad script's message '$(cat "$work/err")' is not the runner's '$(cat "$work/sim-err")'"
  [ -e "$game_dir/never.keys" ] && fail "[recorded] a session that did not start left a record"
  note "[recorded] a bad script: status 2 and the runner's message: $(tr -d '\r' <"$work/err")"

  # Game 1: played and recorded.
  run_game --record "$record" --trace "$trace" >/dev/null 2>&1 &
  game_pid=$!
  local window
  window="$(wait_window 90 "$title")" || fail "[recorded] no window titled '$title'"
  rg_wait_tick "$game_dir/$trace" 30 5 || fail "[recorded] the game does not tick"
  xdotool windowfocus --sync "$window"
  rg_play_presses 12
  local dialog
  xdotool key alt+slash
  dialog="$(wait_window 15 "$about_caption")" || fail "[recorded] Alt+/ opened no About box"
  xdotool windowfocus --sync "$dialog"
  xdotool key Right  # the box has the keys: not the game's, not recorded
  sleep 0.3
  xdotool key Escape
  wait_no_window 15 "$about_caption" || fail "[recorded] Escape did not close the About box"
  sleep 1
  close_box "$window"
  wait_exit 30 || fail "[recorded] the game did not end after its close box"
  [ "$exit_status" -eq 0 ] || fail "[recorded] the game ended with exit status $exit_status"
  [ "$(rg_presses "$game_dir/$record" | wc -l)" -eq 12 ] ||
    fail "[recorded] the record holds $(rg_presses "$game_dir/$record" | wc -l) presses, not the 12 the game took"
  note "[recorded] the record, under a name only UTF-16 can carry, holds the 12 presses the game took"
  rg_credits_spent "$game_dir/$trace" 5
  rg_same_as_runner "$game_dir/$record" "$game_dir/$trace" "[recorded] Windows game"

  # Game 2: the record replayed, the player's arrows pressed during it
  # and after it; recorded again to see which presses the game took.
  local last_tick
  last_tick=$(rg_presses "$game_dir/$record" | tail -n1 | awk '{print $1}')
  run_game --replay "$record" --trace "$replay_trace" --record "$replay_record" >/dev/null 2>&1 &
  game_pid=$!
  window="$(wait_window 90 "$title")" || fail "[recorded] the replay's window is not titled '$title'"
  rg_wait_tick "$game_dir/$replay_trace" 30 2 || fail "[recorded] the replay does not tick"
  xdotool windowfocus --sync "$window"
  for key in Right Left Right Left; do xdotool key "$key"; sleep 0.1; done
  sleep 0.3
  [ "$(rg_ticks "$game_dir/$replay_trace")" -lt "$last_tick" ] || fail "[recorded] the replay ended before the player's presses"
  rg_wait_tick "$game_dir/$replay_trace" 60 $((last_tick + 2)) || fail "[recorded] the replay does not reach tick $last_tick"
  xdotool key Right
  sleep 0.3
  xdotool key Right
  sleep 0.6
  close_box "$window"
  wait_exit 30 || fail "[recorded] the replay did not end after its close box"
  [ "$exit_status" -eq 0 ] || fail "[recorded] the replay ended with exit status $exit_status"
  rg_check_replay "$game_dir/$record" "$game_dir/$replay_record" "$game_dir/$replay_trace" 2 "[recorded] Windows replay"
}

scenario C.UTF-8 cp1252
scenario ja_JP.UTF-8 cp932
# The game's title line, drawn by the game into its canvas: glyphs, and the
# same glyphs whatever the system's code page (empty boxes, where a face
# lacks them, would match neither the Japanese system's nor this ink).
for tag in cp1252 cp932; do convert "$shots/$tag-game-1.png" -crop 64x16+0+26 +repage "$work/$tag-title.png"; done
title_ink="$(convert "$work/cp1252-title.png" -colorspace gray -threshold 50% -format '%[fx:mean]' info:)"
awk -v v="$title_ink" 'BEGIN { exit !(v >= 0.05 && v <= 0.3) }' || fail "the title line is not drawn as text (ink $title_ink)"
title_diff="$(compare -metric AE "$work/cp1252-title.png" "$work/cp932-title.png" null: 2>&1 || true)"
[ "${title_diff%% *}" -le 20 ] 2>/dev/null || fail "the title line differs between code pages ($title_diff pixels)"
note "the title line reads the same with code page 1252 as with 932 (ink $title_ink, $title_diff pixels differ)"
# The menu bar, on the other hand, follows the system's language: English
# with 1252, the resources' Japanese with 932.
for tag in cp1252 cp932; do convert "$shots/$tag-game-1.png" -crop 160x18+0+0 +repage "$work/$tag-menu.png"; done
menu_diff="$(compare -metric AE "$work/cp1252-menu.png" "$work/cp932-menu.png" null: 2>&1 || true)"
[ "${menu_diff%% *}" -ge 100 ] 2>/dev/null || fail "the menu bar is the same in English as in Japanese ($menu_diff pixels differ)"
note "the menu bar's words differ between English and Japanese systems ($menu_diff pixels)"
# Pictures between ticks, switched by the View menu and --no-smooth.
# shellcheck source=wine-smooth-motion.sh
. "$root/scripts/ci/wine-smooth-motion.sh"
smooth_motion_check
RG_SIM="$native/app/sim/marobel-sim"
# shellcheck disable=SC2034  # read by recorded-game-lib.sh
RG_ASSETS="$game_dir"
version="$(sed -n 's/^#define MAROBEL_VERSION "\(.*\)"$/\1/p' "$build/generated/marobel_version.h")"
if [ -x "$RG_SIM" ]; then
  # shellcheck source=recorded-game-lib.sh
  . "$root/scripts/ci/recorded-game-lib.sh"
  recorded_games
  # shellcheck source=wine-controls.sh
  . "$root/scripts/ci/wine-controls.sh"
  controls_check
  # shellcheck source=wine-kept-game.sh
  . "$root/scripts/ci/wine-kept-game.sh"
  kept_games
  # The same game on a large screen: the scales and the full screen.
  "$root/scripts/ci/wine-scale.sh" "$build" "$native" || fail "the Windows window on a large screen"
else
  note "recorded games left out: no Linux runner at $RG_SIM (build the native project first)"
fi
"$root/scripts/ci/wine-fonts.sh" "$build" || fail "the menus where no face draws Japanese"
note "all passed; screenshots in $shots"
