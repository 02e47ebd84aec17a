#!/usr/bin/perl
# Reads resource-script text as binutils' windres prints it (-O rc) and
# prints what is to be compared: with --text, the script without comments,
# blank lines and icon image data; with --icons, one line per icon image,
# "id width height bits bytes", from the image's own header.
use strict;
use warnings;

my $mode = shift // '';
local $/;
my $rc = <STDIN>;
$rc =~ s{/\*.*?\*/}{}gs;

if ($mode eq '--icons') {
  while ($rc =~ m{^(\d+) 3\s*\nBEGIN\n(.*?)^END$}gms) {
    my ($id, $data) = ($1, $2);
    my @longs = $data =~ /(0x[0-9a-f]+)L/gi;
    my @shorts = $data =~ /(?<![x0-9a-f])(0x[0-9a-f]+|\d+)(?![0-9a-fxL])/gi;
    my $bytes = 4 * @longs + 2 * @shorts;
    # BITMAPINFOHEADER: size 40, width, height (colour and mask rows),
    # planes in the low and bits per pixel in the high half of one word.
    my ($size, $width, $height, $planes_bits) = map { hex } @longs[0 .. 3];
    die "icon $id: not a BITMAPINFOHEADER\n" unless $size == 40 && ($planes_bits & 0xffff) == 1;
    printf "%d %d %d %d %d\n", $id, $width, $height, $planes_bits >> 16, $bytes;
  }
} elsif ($mode eq '--text') {
  $rc =~ s{^\d+ 3\s*\nBEGIN\n.*?^END\n}{}gms;
  for my $line (split /\n/, $rc) {
    $line =~ s/\s+$//;
    print "$line\n" if $line ne '';
  }
} else {
  die "usage: resource-script-facts.pl --text|--icons < script.rc\n";
}
