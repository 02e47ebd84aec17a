#!/usr/bin/env bash
# Checks the Windows resource script (res/), the Windows source of the
# shell's texts, ids, accelerators and About layout, against the shell's one
# table of facts (app/shell_facts.txt) that the other shells are built from.
#   scripts/ci/shell-facts-check.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
declare -A fact
while IFS=$'\t' read -r name value; do
  [[ $name =~ ^[A-Z] ]] || continue
  # {NAME}: an earlier fact's value.
  while [[ $value =~ \{([A-Za-z]+)\} ]]; do
    value=${value//"${BASH_REMATCH[0]}"/${fact[${BASH_REMATCH[1]}]}}
  done
  fact[$name]=$value
done < "$root/app/shell_facts.txt"

# The script's texts are Windows code page 932.
rc="$(iconv -f CP932 -t UTF-8 "$root/res/marobel.rc")"
ids="$(cat "$root/res/resource_ids.h")"
failed=0
expect() {  # what, text to find, where
  if ! grep -qF -- "$2" <<<"$3"; then
    echo "shell-facts-check: $1: no '$2' in the resource script" >&2
    failed=1
  fi
}
box() { tr ' ' ',' <<<"$1" | sed 's/,/, /g'; }

expect Title "IDS_APP_TITLE    \"${fact[Title]}\"" "$rc"
# The Japanese menu bar, as the Windows window shows it before any switch of
# language: each item with its command and, after a tab, its key.
for menu in FileMenu ViewMenu HelpMenu VolumeMenu ScaleMenu LanguageMenu; do
  expect "$menu" "POPUP \"${fact[$menu]}\"" "$rc"
done
item() {  # fact name, command macro, key shown beside it
  expect "$1" "MENUITEM \"${fact[$1]}${3:+\\t$3}\", $2" "$rc"
}
item NewGameItem IDM_NEW_GAME Ctrl+N
item ContinueItem IDM_CONTINUE
item FreePlayItem IDM_FREE_PLAY
item PauseItem IDM_PAUSE P
item ExitItem IDM_EXIT
item SoundItem IDM_SOUND M
item SmoothItem IDM_SMOOTH
item FitItem IDM_FIT
item FullScreenItem IDM_FULL_SCREEN F11
item BackgroundPauseItem IDM_BACKGROUND_PAUSE
item JapaneseItem IDM_JAPANESE
item EnglishItem IDM_ENGLISH
item KeysItem IDM_KEYS
item StatisticsItem IDM_STATISTICS
item AboutItem IDM_ABOUT
expect AboutCaption "CAPTION \"${fact[AboutCaption]}\"" "$rc"
expect AboutText "CONTROL         \"${fact[AboutText]}\"" "$rc"
expect OkButton "DEFPUSHBUTTON   \"${fact[OkButton]}\", IDOK, $(box "${fact[AboutOk]}")" "$rc"
expect AboutDialog "IDD_ABOUTBOX DIALOG $(box "${fact[AboutDialog]}")" "$rc"
expect AboutIcon "SS_ICON, $(box "${fact[AboutIcon]}")" "$rc"
expect AboutTextBox "SS_NOPREFIX, $(box "${fact[AboutTextBox]}")" "$rc"
for character in ${fact[AboutAccelerators]}; do
  expect AboutAccelerators "\"$character\", IDM_ABOUT, ASCII, ALT" "$rc"
done
command_id() {  # fact name, command macro
  expect "$1" "#define $2 ${fact[$1]}" "$ids"
}
command_id CommandAbout IDM_ABOUT
command_id CommandExit IDM_EXIT
command_id CommandSmooth IDM_SMOOTH
command_id CommandNewGame IDM_NEW_GAME
command_id CommandContinue IDM_CONTINUE
command_id CommandFreePlay IDM_FREE_PLAY
command_id CommandPause IDM_PAUSE
command_id CommandSound IDM_SOUND
command_id CommandFit IDM_FIT
command_id CommandFullScreen IDM_FULL_SCREEN
command_id CommandJapanese IDM_JAPANESE
command_id CommandEnglish IDM_ENGLISH
command_id CommandBackgroundPause IDM_BACKGROUND_PAUSE
command_id CommandKeys IDM_KEYS
command_id CommandStatistics IDM_STATISTICS
# One command a volume step and a zoom, in order: "&1" to "&5", "&1x" to "&4x".
step=0
for id in ${fact[CommandVolume]}; do
  step=$((step + 1))
  expect CommandVolume "#define IDM_VOLUME_$step $id" "$ids"
  expect CommandVolume "MENUITEM \"&$step\", IDM_VOLUME_$step" "$rc"
done
step=0
for id in ${fact[CommandScale]}; do
  step=$((step + 1))
  expect CommandScale "#define IDM_SCALE_$step $id" "$ids"
  expect CommandScale "MENUITEM \"&${step}x\", IDM_SCALE_$step" "$rc"
done
[ "$failed" -eq 0 ] || { echo "shell-facts-check: res/ and app/shell_facts.txt differ (above)" >&2; exit 1; }
echo "shell-facts-check: the resource script holds the shell's ${#fact[@]} facts"
