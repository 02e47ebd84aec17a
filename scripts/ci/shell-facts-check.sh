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
expect FileMenu "POPUP \"${fact[FileMenu]}\"" "$rc"
expect ExitItem "MENUITEM \"${fact[ExitItem]}\", IDM_EXIT" "$rc"
expect ViewMenu "POPUP \"${fact[ViewMenu]}\"" "$rc"
expect SmoothItem "MENUITEM \"${fact[SmoothItem]}\", IDM_SMOOTH" "$rc"
expect HelpMenu "POPUP \"${fact[HelpMenu]}\"" "$rc"
expect AboutItem "MENUITEM \"${fact[AboutItem]}\", IDM_ABOUT" "$rc"
expect AboutCaption "CAPTION \"${fact[AboutCaption]}\"" "$rc"
expect AboutText "CONTROL         \"${fact[AboutText]}\"" "$rc"
expect OkButton "DEFPUSHBUTTON   \"${fact[OkButton]}\", IDOK, $(box "${fact[AboutOk]}")" "$rc"
expect AboutDialog "IDD_ABOUTBOX DIALOG $(box "${fact[AboutDialog]}")" "$rc"
expect AboutIcon "SS_ICON, $(box "${fact[AboutIcon]}")" "$rc"
expect AboutTextBox "SS_NOPREFIX, $(box "${fact[AboutTextBox]}")" "$rc"
for character in ${fact[AboutAccelerators]}; do
  expect AboutAccelerators "\"$character\", IDM_ABOUT, ASCII, ALT" "$rc"
done
expect CommandAbout "#define IDM_ABOUT ${fact[CommandAbout]}" "$ids"
expect CommandExit "#define IDM_EXIT ${fact[CommandExit]}" "$ids"
expect CommandSmooth "#define IDM_SMOOTH ${fact[CommandSmooth]}" "$ids"
[ "$failed" -eq 0 ] || { echo "shell-facts-check: res/ and app/shell_facts.txt differ (above)" >&2; exit 1; }
echo "shell-facts-check: the resource script holds the shell's ${#fact[@]} facts"
