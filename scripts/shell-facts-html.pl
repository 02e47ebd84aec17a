#!/usr/bin/perl
# Fills the shell's facts (app/shell_facts.txt) into the page's index.html
# on standard input: @Fact:NAME@ is the text, HTML-escaped; @Menu:NAME@ the
# menu label as shown, its &-marked mnemonic underlined; @Mnemonic:NAME@
# that letter in lower case; <!-- shell facts --> becomes a JSON block of
# them all for the page's scripts.
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
  $fact{$1} = $2;
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

local $/;
my $html = <STDIN>;
$html =~ s/\@Fact:([A-Za-z]+)\@/escape(known($1))/ge;
$html =~ s/\@Menu:([A-Za-z]+)\@/menu($1)/ge;
$html =~ s/\@Mnemonic:([A-Za-z]+)\@/mnemonic($1)/ge;
my $json = '{' . join(', ', map { json_string($_) . ': ' . json_string($fact{$_}) } sort keys %fact) . '}';
$html =~ s{<!-- shell facts -->}{<script id="shell-facts" type="application/json">$json</script>};
die "unfilled fact in the page: $1\n" if $html =~ /(\@(?:Fact|Menu|Mnemonic):[A-Za-z]+\@)/;
print $html;
