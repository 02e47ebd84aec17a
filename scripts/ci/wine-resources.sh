#!/usr/bin/env bash
# Checks the Windows executable without running it: the resources compiled
# into it (texts, menu, accelerators, About dialog, icons), that it is a GUI
# program, and that it needs no DLL beyond the system's own. The checker is
# built natively and its own tests run first.
#
#   scripts/ci/wine-resources.sh [cross build folder]
# Without a folder it builds build-win with scripts/build-windows.sh first.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-win}"
host_build="${MAROBEL_WIN_HOST_BUILD:-$root/build-win-host}"
exe="$build/app/win32/marobel.exe"
jobs="${JOBS:-2}"

fail() { echo "wine-resources: FAIL: $*" >&2; exit 1; }

# Without a folder given, (re)build: an old executable must not be checked.
[ $# -ge 1 ] || MAROBEL_WIN_BUILD="$build" "$root/scripts/build-windows.sh"
[ -f "$exe" ] || fail "no $exe (scripts/build-windows.sh makes it)"

checker_build="$host_build/rescheck"
cmake -S "$root/tools/rescheck" -B "$checker_build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$checker_build" -j "$jobs" >/dev/null
(cd "$checker_build" && ctest --output-on-failure -j "$jobs") || fail "the checker's own tests"

"$checker_build/marobel-rescheck" --dump "$exe" || fail "resources"

# Only DLLs every Windows system has; a MinGW runtime DLL here would mean
# the executable does not run on its own. SHELL32 splits the UTF-16
# command line.
allowed='^(KERNEL32|USER32|GDI32|WINMM|msvcrt|ADVAPI32|SHELL32)\.dll$'
imports="$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')"
[ -n "$imports" ] || fail "no imports found in $exe"
while read -r dll; do
  echo "wine-resources: imports $dll"
  [[ "$dll" =~ $allowed ]] || fail "$exe needs $dll"
done <<< "$imports"
echo "wine-resources: all passed"
