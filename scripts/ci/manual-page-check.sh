#!/usr/bin/env bash
# A program's manual page against its --help: every option the help lists
# is in the page's SYNOPSIS and OPTIONS, every option the OPTIONS section
# describes is one the help lists, the page has the sections named, and no
# line of the help is 80 columns or wider.
#
#   scripts/ci/manual-page-check.sh PROGRAM PAGE [SECTION...]
# PAGE is the page's source, gzip-compressed or not; SECTION a heading it
# must have besides NAME, SYNOPSIS, DESCRIPTION and OPTIONS.
set -euo pipefail

usage="usage: manual-page-check.sh PROGRAM PAGE [SECTION...]"
program=${1:?$usage}
page=${2:?$usage}
shift 2
fail() { echo "manual-page-check: FAIL: $(basename "$page"): $*" >&2; exit 1; }

help=$("$program" --help) || fail "$program --help ended with status $?"
wide=$(awk 'length($0) >= 80' <<<"$help")
[ -z "$wide" ] || fail "$program --help has lines of 80 columns or more: $wide"
# The option column: "  -h, --help", "      --name VALUE".
mapfile -t options < <(sed -n -E 's/^(  -[a-zA-Z], |      )(--[a-z][a-z-]*).*/\2/p' <<<"$help")
[ "${#options[@]}" -gt 0 ] || fail "no options found in $program --help"

# The page as plain text: no font changes, "\-" a minus.
text=$(if [[ $page == *.gz ]]; then zcat "$page"; else cat "$page"; fi | sed -E 's/\\f[BIRP]//g; s/\\-/-/g')
section() { awk -v name="$1" '/^\.SH / { on = ($0 == ".SH " name || $0 == ".SH \"" name "\"") ; next } on' <<<"$text"; }
synopsis=$(section SYNOPSIS)
described=$(section OPTIONS)
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "$@"; do
  grep -qxE "\.SH \"?$heading\"?" <<<"$text" || fail "no $heading section"
done

has_option() { grep -qE -- "(^|[^a-z-])$1([^a-z-]|\$)" <<<"$2"; }
for option in "${options[@]}"; do
  has_option "$option" "$synopsis" || fail "$option (in --help) is not in the SYNOPSIS"
  has_option "$option" "$described" || fail "$option (in --help) is not described under OPTIONS"
done
# Each .TP entry's tag is the line after it.
mapfile -t tags < <(awk 'tp { print; tp = 0 } /^\.TP/ { tp = 1 }' <<<"$described" |
  grep -oE -- '(^|[ "])--[a-z][a-z-]*' | sed -E 's/^[ "]//' | sort -u)
# A here-string, not a pipe: grep -q leaving early must not fail the writer.
listed=$(printf '%s\n' "${options[@]}")
for tag in "${tags[@]}"; do
  grep -qx -- "$tag" <<<"$listed" || fail "$tag is described under OPTIONS but not in --help"
done
echo "manual-page-check: $(basename "$page"): the ${#options[@]} options of $(basename "$program") --help," \
  "sections ${*:-(none more)}"
