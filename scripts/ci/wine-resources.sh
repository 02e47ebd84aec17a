#!/usr/bin/env bash
# Checks the Windows executable without running it: the resources compiled
# into it (texts, menu, accelerators, About dialog, and every image of its
# icons, scripts/ci/windows-icon-check.sh), that it is a GUI
# program, and that it needs no DLL beyond the system's own. Binutils'
# resource decompiler (windres -O rc) reads the resources; the expected
# script is scripts/ci/marobel-resources.rc.
#
#   scripts/ci/wine-resources.sh [cross build folder]
# Without a folder it builds build-win with scripts/build-windows.sh first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"

exe="$build/app/win32/marobel.exe"
fail() { echo "wine-resources: FAIL: $*" >&2; exit 1; }

# Without a folder given, (re)build: an old executable must not be checked.
[ $# -ge 1 ] || MAROBEL_WIN_BUILD="$build" "$root/scripts/build-windows.sh"
[ -f "$exe" ] || fail "no $exe (scripts/build-windows.sh makes it)"

windres=x86_64-w64-mingw32-windres
command -v "$windres" >/dev/null || fail "$windres is missing (binutils-mingw-w64-x86-64)"
facts="$root/scripts/ci/resource-script-facts.pl"
decompiled="$("$windres" -i "$exe" -O rc)" || fail "$windres cannot read the resources of $exe"
[ "$(grep -c '^LANGUAGE' <<<"$decompiled")" -eq 1 ] || fail "the resources are not all in one language section"
if ! diff -u --label expected --label "$exe" <(perl "$facts" --text < "$root/scripts/ci/marobel-resources.rc") \
     <(perl "$facts" --text <<<"$decompiled"); then
  fail "resources differ from scripts/ci/marobel-resources.rc (above: - expected, + found)"
fi
echo "wine-resources: texts, menu, accelerators and About dialog as expected"

# The icons' every image, read back from the program.
bash "$root/scripts/ci/windows-icon-check.sh" "$exe"

headers="$(x86_64-w64-mingw32-objdump -p "$exe")"
[[ "$headers" =~ Subsystem[[:space:]]+00000002 ]] || fail "$exe is not a GUI program"

# Only DLLs every Windows system has; a MinGW runtime DLL here would mean
# the executable does not run on its own. SHELL32 splits the UTF-16
# command line.
allowed='^(KERNEL32|USER32|GDI32|WINMM|msvcrt|ADVAPI32|SHELL32)\.dll$'
imports="$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")"
[ -n "$imports" ] || fail "no imports found in $exe"
while read -r dll; do
  echo "wine-resources: imports $dll"
  [[ "$dll" =~ $allowed ]] || fail "$exe needs $dll"
done <<< "$imports"
echo "wine-resources: all passed"
