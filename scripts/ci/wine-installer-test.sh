#!/usr/bin/env bash
# The Windows installer as a player runs it, under Wine on a virtual X
# display:
#   - `marobel-VERSION-win64.exe /S` installs silently into Program Files,
#     with the pictures and sounds, the Japanese font and its licence, a
#     Start menu shortcut and an entry in the system's program list; the
#     installed program's icon has every size Windows shows;
#   - the game started from that shortcut runs in the install folder: its
#     window appears with its exact title and shows the cabinet;
#   - the uninstaller, run silently, removes the folder, the shortcut and
#     the program list entry.
#
#   scripts/ci/wine-installer-test.sh [cross build folder]
# Without a folder it builds build-win with scripts/build-windows.sh first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
case "$build" in /*) ;; *) build="$PWD/$build" ;; esac
title='Marobel ～Orvik～'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marobel'

fail() { echo "wine-installer-test: FAIL: $*" >&2; exit 1; }
note() { echo "wine-installer-test: $*"; }

[ $# -ge 1 ] || MAROBEL_WIN_BUILD="$build" "$root/scripts/build-windows.sh"
installer="$(ls "$build"/marobel-*-win64.exe 2>/dev/null | head -1 || true)"
[ -n "$installer" ] || fail "no installer in $build (scripts/build-windows.sh makes it)"

work="$(mktemp -d /tmp/marobel-wine-installer.XXXXXX)"
xvfb_pid=""
cleanup() {
  set +e
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# wait_window, wait_no_window, close_box, cabinet_shown.
source "$root/scripts/ci/wine-windows.sh"

# shellcheck source=xvfb-lib.sh
. "$root/scripts/ci/xvfb-lib.sh"
start_xvfb 1024x768x24

export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# No browser or .NET add-on installs (they would wait for a click), no
# desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
note "creating the Wine prefix"
wineboot -i >/dev/null 2>&1 || true
wineserver -w

# --- Install ----------------------------------------------------------------
(cd "$work" && wine "$installer" /S) >/dev/null 2>&1 || fail "the silent install failed"
wineserver -w
install_dir="$WINEPREFIX/drive_c/Program Files/Marobel"
[ -f "$install_dir/marobel.exe" ] || fail "no marobel.exe in $install_dir"
[ -f "$install_dir/Uninstall.exe" ] || fail "no uninstaller in $install_dir"
[ "$(ls "$install_dir"/*.bmp | wc -l)" -eq 20 ] || fail "the install folder does not hold the 20 pictures"
[ "$(ls "$install_dir"/*.wav | wc -l)" -eq 7 ] || fail "the install folder does not hold the 7 sounds"
for file in ipag.ttf ipag-licence.txt; do
  [ -s "$install_dir/$file" ] || fail "the install folder does not hold the game's font file $file"
done
note "installed silently into C:\\Program Files\\Marobel, with the game's font and its licence"
bash "$root/scripts/ci/windows-icon-check.sh" "$install_dir/marobel.exe" || fail "the installed program's icons"

wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | tr -d '\r' > "$work/entry" || true
grep -q 'Uninstall.exe' "$work/entry" || fail "no uninstaller entry in the program list ($uninstall_key)"
wine reg query "$uninstall_key" /v DisplayIcon 2>/dev/null | tr -d '\r' | grep -q 'marobel.exe' ||
  fail "the program list entry shows no icon"
note "the program list has the entry, with the uninstaller and the icon"

shortcut="$(find "$WINEPREFIX/drive_c" -name Marobel.lnk -path '*Start Menu*' | head -1)"
[ -n "$shortcut" ] || fail "no Start menu shortcut Marobel.lnk"
# The working directory is stored in the shortcut as UTF-16 text.
strings -e l "$shortcut" | grep -qx 'C:\\Program Files\\Marobel' ||
  fail "the shortcut's working directory is not the install folder: $(strings -e l "$shortcut" | tr '\n' '|')"
note "shortcut $(basename "$shortcut") starts in C:\\Program Files\\Marobel"
continue_shortcut="$(dirname "$shortcut")/Continue the last game.lnk"
[ -f "$continue_shortcut" ] || fail "no Start menu shortcut 'Continue the last game'"
strings -e l "$continue_shortcut" | grep -qx -- '--continue' ||
  fail "the continue shortcut does not pass --continue: $(strings -e l "$continue_shortcut" | tr '\n' '|')"
note "shortcut 'Continue the last game' starts marobel.exe --continue"

# --- Play: from the shortcut, as the Start menu starts it ------------------
(cd / && wine start /unix "$shortcut") >/dev/null 2>&1 || fail "the shortcut does not start"
window="$(wait_window 90 "$title")" || fail "no window titled '$title' from the shortcut"
note "window $window is titled '$title'"
sleep 3
import -window "$window" "$work/window.png"
# The pictures load only where the game runs in the install folder.
cabinet_shown "$work/window.png" "$work/cabinet.png" ||
  fail "the window does not show the cabinet: not started in the install folder?"
close_box "$window"
wait_no_window 30 "$title" || fail "the game did not end after its close box"
wineserver -w
note "the game showed the cabinet and ended on its close box"

# --- Uninstall --------------------------------------------------------------
# The uninstaller copies itself away and runs from there; wineserver -w
# waits for that copy too.
wine "$install_dir/Uninstall.exe" /S >/dev/null 2>&1 || fail "the silent uninstall failed"
wineserver -w
for _ in $(seq 50); do [ -e "$install_dir" ] || break; sleep 0.2; done
[ ! -e "$install_dir" ] || fail "the install folder is still there: $(ls -A "$install_dir" | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start menu shortcut is still there"
[ ! -e "$continue_shortcut" ] || fail "the continue shortcut is still there"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then fail "the program list still has the entry"; fi
note "uninstalled silently: folder, shortcut and program list entry gone"
note "all passed"
