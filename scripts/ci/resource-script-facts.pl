#!/usr/bin/perl
# Reads what the Windows checks compare. With --text, resource-script text
# as binutils' windres prints it (-O rc), printed without comments, blank
# lines and the icons (images and groups), which --ico checks instead.
# With --ico, an icon file (as wrestool extracts an icon group from the
# program): one line per image, "width height bits bmp|png", each read from
# the image's own header and checked against the file's directory.
use strict;
use warnings;

my $mode = shift // '';
local $/;
binmode STDIN;
my $rc = <STDIN> // '';

if ($mode eq '--ico') {
  my ($reserved, $type, $count) = unpack 'v3', $rc;
  die "not an icon file\n" unless length($rc) >= 6 && $reserved == 0 && $type == 1;
  for my $i (1 .. $count) {
    my $entry = substr($rc, 6 + 16 * ($i - 1), 16);
    die "image $i: the directory is cut short\n" unless length($entry) == 16;
    my ($width, $height, $colours, $pad, $planes, $bits, $bytes, $offset) = unpack 'C4 v2 V2', $entry;
    $width ||= 256;
    $height ||= 256;
    my $data = substr($rc, $offset, $bytes) // '';
    die "image $i: its bytes lie beyond the file\n" unless length($data) == $bytes;
    my ($found_width, $found_height, $found_bits, $kind);
    if (substr($data, 0, 8) eq "\x89PNG\r\n\x1a\n") {
      # IHDR: width, height, bits per sample, colour type (6: RGBA).
      my ($depth, $colour_type);
      ($found_width, $found_height, $depth, $colour_type) = unpack 'N2 C2', substr($data, 16, 10);
      $found_bits = $colour_type == 6 ? 4 * $depth : $depth;
      $kind = 'png';
    } else {
      # BITMAPINFOHEADER: size 40, width, height (colour and mask rows),
      # planes, bits per pixel.
      my ($size, $rows, $found_planes);
      ($size, $found_width, $rows, $found_planes, $found_bits) = unpack 'V l l v v', $data;
      die "image $i: not a BITMAPINFOHEADER\n" unless $size == 40 && $found_planes == 1;
      $found_height = $rows / 2;
      $kind = 'bmp';
    }
    die "image $i: ${found_width}x$found_height, but the directory says ${width}x$height\n"
      unless $found_width == $width && $found_height == $height;
    printf "%d %d %d %s\n", $width, $height, $found_bits, $kind;
  }
} elsif ($mode eq '--text') {
  $rc =~ s{/\*.*?\*/}{}gs;
  $rc =~ s{^\d+ (?:3|14)\s*\nBEGIN\n.*?^END\n}{}gms;
  for my $line (split /\n/, $rc) {
    $line =~ s/\s+$//;
    print "$line\n" if $line ne '';
  }
} else {
  die "usage: resource-script-facts.pl --text < script.rc | --ico < icon.ico\n";
}
