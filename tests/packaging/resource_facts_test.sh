#!/usr/bin/env bash
# scripts/ci/resource-script-facts.pl, which the Windows resource check
# reads windres's decompiled resources with: comments, blank lines and the
# icons are dropped from the text, every other line is kept as printed; and
# icon files, whose images are measured from their own headers.
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
END'

text=$(perl "$facts" --text <<<"$script") || fail "--text failed"
[ "$text" = "$expected_text" ] || fail "--text printed
$text"

# Icon files: a 32-bit bitmap of 2 pixels, a PNG of 256 (its directory
# says 0), and damaged ones. Each is made by perl from the fields given:
# the directory's width, then the image's width, rows and bits, or "png"
# and its width, height, depth and colour type.
ico() {
  perl -e '
    my @images = map { [split /,/] } @ARGV;
    my $data_at = 6 + 16 * @images;
    my ($dir, $data) = (pack("v3", 0, 1, scalar @images), "");
    for (@images) {
      my ($dir_width, @image) = @$_;
      my $bytes = $image[0] eq "png"
        ? "\x89PNG\r\n\x1a\n" . pack("N", 13) . "IHDR" . pack("N2 C2", @image[1 .. 4])
        : pack("V l l v v", $image[0], $image[1], $image[2], 1, $image[3]) . ("\0" x 24);
      $dir .= pack("C4 v2 V2", $dir_width, $dir_width, 0, 0, 1, 32, length $bytes, $data_at + length $data);
      $data .= $bytes;
    }
    binmode STDOUT;
    print $dir, $data;' "$@"
}
icons=$(ico 2,40,2,4,32 0,png,256,256,8,6 | perl "$facts" --ico) || fail "--ico failed"
[ "$icons" = $'2 2 32 bmp\n256 256 32 png' ] || fail "--ico printed
$icons"
for bad in "16,40,32,64,32" "16,108,16,32,32" "0,png,48,48,8,6"; do
  if ico "$bad" | perl "$facts" --ico >/dev/null 2>&1; then fail "--ico accepted the image $bad"; fi
done
if ico 2,40,2,4,32 | head -c 30 | perl "$facts" --ico >/dev/null 2>&1; then fail "--ico accepted a cut file"; fi
if perl "$facts" <<<"$script" >/dev/null 2>&1; then fail "no mode given was accepted"; fi

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
