# Prints every entry of one CDX tag as "recno<TAB>key", in the tag's order,
# as Perl's XBase module reads it. usage: perl walk_cdx.pl FILE.CDX TAG char|N
use strict;
use warnings;
use XBase::Index;
my ($file, $tag, $type) = @ARGV;
my $index = XBase::Index->new($file, tag => $tag, type => $type)
  or die "cannot open $file tag $tag: " . XBase::Index->errstr;
$index->prepare_select;
while (my ($key, $recno) = $index->fetch) {
  print "$recno\t$key\n";
}
