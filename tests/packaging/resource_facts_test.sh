#!/usr/bin/env bash
# scripts/ci/resource-script-facts.pl, which the Windows resource check
# reads windres's decompiled resources with: comments, blank lines and icon
# image data are dropped from the text, every other line is kept as
# printed; icon images are measured from their own headers and data.
#
#   resource_facts_test.sh PATH_TO_resource-script-facts.pl
set -uo pipefail

facts=${1:?usage: resource_facts_test.sh resource-script-facts.pl}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Two images, one whose data ends in a half word, between a menu and an icon
# group; comments inside and across lines, as windres writes them.
script='
/* Type: icon

   Name: 1.  */
LANGUAGE 17, 1

1 3 /* RT_ICON */
BEGIN
  0x28L      , 0x20L      , 0x40L      , 0x40001L   , 0x0L       ,
  0xffL
END

/* Name: 9.  */

9 3 /* RT_ICON */
BEGIN
  0x28L, 0x10L, 0x20L, 0x80001L, 0x1L, 0x2
END

109 MENU
BEGIN
  POPUP L"\xff8c(&F)"   
  BEGIN
    MENUITEM "Exit", 105
  END
END

107 14 /* RT_GROUP_ICON */
BEGIN
   0, 1, 1,	 /* Has 1 elements.  */
    "\040\040\020\000", 1, 4, 0x18L, 1	/* Element no 1.  */
END
'
expected_text='LANGUAGE 17, 1
109 MENU
BEGIN
  POPUP L"\xff8c(&F)"
  BEGIN
    MENUITEM "Exit", 105
  END
END
107 14
BEGIN
   0, 1, 1,
    "\040\040\020\000", 1, 4, 0x18L, 1
END'
expected_icons='1 32 64 4 24
9 16 32 8 22'

text=$(perl "$facts" --text <<<"$script") || fail "--text failed"
[ "$text" = "$expected_text" ] || fail "--text printed
$text"
icons=$(perl "$facts" --icons <<<"$script") || fail "--icons failed"
[ "$icons" = "$expected_icons" ] || fail "--icons printed
$icons"

# An image that does not start with a 40-byte header is reported, not measured.
bad='5 3
BEGIN
  0x6cL, 0x20L, 0x40L, 0x40001L
END'
if perl "$facts" --icons <<<"$bad" >/dev/null 2>&1; then fail "a foreign image header was accepted"; fi
if perl "$facts" <<<"$script" >/dev/null 2>&1; then fail "no mode given was accepted"; fi

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
