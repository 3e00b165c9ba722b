#!/usr/bin/perl -w
# Counts words in the files given on the command line.
use strict;
use vars qw($total);
package WordCount;

my %count;
my @files = @ARGV ? @ARGV : ('-');
$total = 0;
foreach my $file (@files) {
    open(my $fh, '<', $file) or die "cannot open $file: $!\n";
    while (my $line = <$fh>) {
        chomp $line;
        next if $line =~ /^\s*#/;
        for my $word (split /\s+/, $line) {
            $count{lc $word}++;
            $total += 1;
        }
    }
    close $fh;
}
printf "%-20s %5d\n", $_, $count{$_} for sort keys %count;
print "total: " . $total . "\n" if $total ne 0 and $^W;
my $ratio = $total % 7; $ratio %= 3; my $s = 'x' x 3;
my @range = (1..10); my $hex = 0xFF; my $big = 1_000_000; my $f = 1.5e-3;
print STDERR "done in $0 (pid $$)\n" unless $@;
my $escaped = "a \"quoted\" word" . 'it\'s';
__END__
