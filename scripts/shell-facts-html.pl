#!/usr/bin/perl
# Fills the shell's facts (app/shell_facts.txt) into the page's index.html
# on standard input: @Fact:NAME@ is the text, HTML-escaped; @Menu:NAME@ the
# menu label as shown, its &-marked mnemonic underlined; @Mnemonic:NAME@
# that letter in lower case; <!-- shell facts --> becomes a JSON block of
# them all for the page's scripts, and <!-- shell layout --> a style block
# of the About box's places and sizes in pixels, which shell.css uses.
#   perl scripts/shell-facts-html.pl app/shell_facts.txt < index.html > out.html
use strict;
use warnings;
use utf8;
use open qw(:std :encoding(UTF-8));

my $table = shift or die "usage: shell-facts-html.pl SHELL_FACTS < index.html\n";
open my $in, '<:encoding(UTF-8)', $table or die "$table: $!\n";
my %fact;
while (<$in>) {
  chomp;
  next unless /^[A-Z]/;
  /^([A-Za-z]+)\t(.+)$/ or die "$table: not NAME<tab>VALUE: $_\n";
  my ($name, $value) = ($1, $2);
  # {NAME}: an earlier fact's value.
  $value =~ s/\{([A-Za-z]+)\}/exists $fact{$1} ? $fact{$1} : die "$table: {$1} before its line\n"/ge;
  $fact{$name} = $value;
}

sub escape { my $t = shift; $t =~ s/&/&amp;/g; $t =~ s/</&lt;/g; $t =~ s/>/&gt;/g; $t =~ s/"/&quot;/g; return $t; }
sub known { my $name = shift; die "no fact $name in $table\n" unless exists $fact{$name}; return $fact{$name}; }
sub menu {
  my $label = known(shift);
  $label =~ /^(.*)&(.)(.*)$/ or die "menu label without a mnemonic: $label\n";
  return escape($1) . '<u>' . escape($2) . '</u>' . escape($3);
}
sub mnemonic { my $label = known(shift); $label =~ /&(.)/ or die "no mnemonic: $label\n"; return lc $1; }
sub json_string {
  my $t = shift;
  $t =~ s/(["\\])/\\$1/g;
  $t =~ s{</}{<\\/}g;  # never ends the script element
  return "\"$t\"";
}

# The page's About box is set in a 12 px font whose average character is 6
# pixels wide and 13 high: those are its dialog base units. Dialog units
# become pixels as the desktop shells convert them, edge by edge and each
# edge rounded half away from zero, so the page's box matches theirs.
my ($base_x, $base_y) = (6, 13);
sub scaled {  # whole units, never negative (units() sees to that)
  my ($units, $base, $per) = @_;
  return int(($units * $base + int($per / 2)) / $per);
}
sub pixels {  # x y width height in dialog units -> left top width height in pixels
  my ($x, $y, $w, $h) = @_;
  my ($left, $top) = (scaled($x, $base_x, 4), scaled($y, $base_y, 8));
  return ($left, $top, scaled($x + $w, $base_x, 4) - $left, scaled($y + $h, $base_y, 8) - $top);
}
sub units {
  my $name = shift;
  my $box = known($name);
  $box =~ /^(\d+) (\d+) (\d+) (\d+)$/ or die "$table: $name is not four whole numbers (x y width height): $box\n";
  return ($1, $2, $3, $4);
}
sub layout {
  my ($x, $y, $w, $h) = units('AboutDialog');
  my @px = (pixels($x, $y, 0, 0))[0, 1];
  push @px, (pixels(0, 0, $w, $h))[2, 3];
  # The icon control takes the icon's own size, so only its corner counts.
  push @px, (pixels(units('AboutIcon')))[0, 1];
  push @px, pixels(units('AboutTextBox')), pixels(units('AboutOk'));
  my @names = qw(place-left place-top client-width client-height icon-left icon-top
                 text-left text-top text-width text-height ok-left ok-top ok-width ok-height);
  return '<style id="shell-layout">#about { '
      . join(' ', map { "--about-$names[$_]: $px[$_]px;" } 0 .. $#names) . ' }</style>';
}

local $/;
my $html = <STDIN>;
$html =~ s/\@Fact:([A-Za-z]+)\@/escape(known($1))/ge;
$html =~ s/\@Menu:([A-Za-z]+)\@/menu($1)/ge;
$html =~ s/\@Mnemonic:([A-Za-z]+)\@/mnemonic($1)/ge;
my $json = '{' . join(', ', map { json_string($_) . ': ' . json_string($fact{$_}) } sort keys %fact) . '}';
$html =~ s{<!-- shell facts -->}{<script id="shell-facts" type="application/json">$json</script>};
$html =~ s{<!-- shell layout -->}{layout()}e or die "no <!-- shell layout --> in the page for the About box\n";
die "unfilled fact in the page: $1\n" if $html =~ /(\@(?:Fact|Menu|Mnemonic):[A-Za-z]+\@)/;
print $html;
