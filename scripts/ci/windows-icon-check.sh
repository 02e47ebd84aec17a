#!/usr/bin/env bash
# The icons built into a Windows program, read back from the program itself
# with wrestool (icoutils): the program's icon holds 16, 24, 32 and 48 pixel
# images of 32 bits and a 256 pixel PNG, as Windows 10 and 11 show them at
# every display scale; the caption's small icon 16 and 24 pixel images of
# 32 bits.
#
#   scripts/ci/windows-icon-check.sh PROGRAM.exe
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
exe=${1:?usage: windows-icon-check.sh PROGRAM.exe}
fail() { echo "windows-icon-check: FAIL: $*" >&2; exit 1; }
command -v wrestool >/dev/null || fail "wrestool is missing (icoutils; scripts/install-deps.sh --dev)"
[ -f "$exe" ] || fail "no $exe"

id_of() { sed -n "s/^#define $1 \\([0-9]*\\)$/\\1/p" "$root/res/resource_ids.h"; }
check_group() {
  local name=$1 expected=$2 id found
  id=$(id_of "$name")
  [ -n "$id" ] || fail "no $name in res/resource_ids.h"
  # Type 14: an icon group, which wrestool writes out as an icon file.
  found=$(wrestool -x --type=14 --name="$id" "$exe" | perl "$root/scripts/ci/resource-script-facts.pl" --ico) ||
    fail "cannot read icon group $id ($name) of $exe"
  [ "$found" = "$expected" ] || fail "icon group $id ($name) holds
$found
instead of
$expected"
  echo "windows-icon-check: $name: $(tr '\n' ',' <<<"$found" | sed 's/,$//; s/,/, /g')"
}
check_group IDI_APP_ICON "16 16 32 bmp
24 24 32 bmp
32 32 32 bmp
48 48 32 bmp
256 256 32 png"
check_group IDI_SMALL_ICON "16 16 32 bmp
24 24 32 bmp"
