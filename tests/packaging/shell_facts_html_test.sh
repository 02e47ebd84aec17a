#!/usr/bin/env bash
# scripts/shell-facts-html.pl turns the About box's dialog units into the
# page's pixels as the desktop shells do, and stops the build when the page
# or the table cannot give the box its layout.
#   shell_facts_html_test.sh PATH_TO_shell-facts-html.pl
set -uo pipefail
script=${1:?usage: shell_facts_html_test.sh shell-facts-html.pl}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
facts=$(mktemp)
trap 'rm -f "$facts"' EXIT
fill() { printf 'AboutDialog\t22 17 230 75\nAboutIcon\t16 51 20 20\nAboutTextBox\t49 48 137 8\nAboutOk\t%s\n' "$1" >"$facts"
  perl "$script" "$facts" <<<"$2" 2>/dev/null; }

# The text box is 205 pixels wide, not 205.5 rounded: its edges are rounded,
# not its size. OK's corner, 1.5 by 6.5 pixels in, rounds away from zero.
page=$(fill '1 4 1 4' '<!-- shell layout -->') || fail "a whole layout was refused"
[ "$page" = '<style id="shell-layout">#about { --about-place-left: 33px; --about-place-top: 28px;'\
' --about-client-width: 345px; --about-client-height: 122px; --about-icon-left: 24px; --about-icon-top: 83px;'\
' --about-text-left: 74px; --about-text-top: 78px; --about-text-width: 205px; --about-text-height: 13px;'\
' --about-ok-left: 2px; --about-ok-top: 7px; --about-ok-width: 1px; --about-ok-height: 6px; }</style>' ] ||
  fail "the layout was filled in as $page"

# Without its marker the page's box would be unsized.
if fill '188 55 30 11' '<head></head>' >/dev/null; then fail "a page without the layout marker was built"; fi
for broken in '188 55 30' '188 55 30 11 2' '188 -55 30 11' '188 55 30.5 11'; do
  if fill "$broken" '<!-- shell layout -->' >/dev/null; then fail "AboutOk '$broken' was taken for a layout"; fi
done
[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
