#!/usr/bin/perl
# Generates random expressions in the syntax our engine shares with Perl,
# runs each on a few subjects with Perl and prints one TSV row per pair:
#   modifiers  pattern  subject  expected
# expected is "nomatch" or, per group 0..N, "start,length" (1-based start,
# -1,-1 when unset) joined by ";".
# Regenerate: perl tests/search/gen_regex_perl_cases.pl > tests/search/regex_perl_cases.tsv
#
# Semantic differences kept out of the generated text: "." matches every
# byte here (Perl needs /s); subjects hold no line breaks so that "$" means
# the very end in both; "*", "+" and braces never get an operand that can
# match the empty string (an error here); classes use no \D \S \W (a letter
# here) and no "{,n}"; back-references only name groups already closed.
use strict;
use warnings;
use bytes;
no warnings 'regexp';

srand($ENV{REGEX_SEED} // 20240611);
my $wanted = $ENV{REGEX_ROWS} // 900;

my @alphabet = ('a', 'b', 'c', 'A', 'B', '1', ' ', '-');
my $groups;

sub pick { return $_[int(rand(@_))]; }

# Returns (text, has_width).
sub atom {
    my ($depth) = @_;
    my $r = rand();
    if ($r < 0.40) {
        my $n = 1 + int(rand(3));
        return (join('', map { pick('a', 'b', 'c', 'a', 'b', 'B', '1', '-') } 1 .. $n), 1);
    }
    if ($r < 0.48) { return ('.', 1); }
    if ($r < 0.60) {
        return (pick('[ab]', '[^a]', '[a-c]', '[^bc]', '[b-]', '[]a]', '[\d-]', '[\w]', '[^\s]', '[A-Ca]', '[1a-b]'), 1);
    }
    if ($r < 0.68) { return (pick('\d', '\w', '\s', '\W', '\S', '\D', '\x61', '\x{62}', '\-', '\.'), 1); }
    if ($r < 0.73) { return (pick('\b', '\B'), 0); }
    if ($r < 0.75 && $groups > 0) { return ('\\' . (1 + int(rand($groups))), 0); }
    if ($depth < 3 && $groups < 9) {
        my $alts = 1 + int(rand(3));
        my @parts;
        my $width = 1;
        ++$groups;
        my $mine = $groups;
        for (1 .. $alts) {
            my ($t, $w) = branch($depth + 1);
            push @parts, $t;
            $width &&= $w;
        }
        return ('(' . join('|', @parts) . ')', $width);
    }
    return (pick('a', 'b'), 1);
}

sub piece {
    my ($depth) = @_;
    my ($text, $width) = atom($depth);
    my $r = rand();
    return ($text, $width) if $r < 0.55;
    my $simple = length($text) == 1 || $text =~ /^\\.$|^\\x|^\[/;
    # A quantifier binds to the last character of a literal run.
    my @q = ('?');
    push @q, '*', '+', '{2}', '{1,2}', '{0,1}', '{2,}', '{0,2}' if $width;
    my $q = pick(@q);
    $q .= '?' if rand() < 0.3;
    $q = '?' if $text =~ /^\\[1-9]$/;
    my $w = ($q =~ /^(\+|\{[12])/) ? $width : 0;
    $w = $width if $text =~ /^[a-zA-Z1\-]{2,}$/;    # a run keeps its head
    return ($text . $q, $w);
}

sub branch {
    my ($depth) = @_;
    my $n = int(rand(4));
    $n = 1 if $n == 0 && $depth == 0;
    my @p;
    my $width = 0;
    for (1 .. $n) {
        my ($t, $w) = piece($depth);
        push @p, $t;
        $width ||= $w;
    }
    return (join('', @p), $width);
}

sub pattern {
    $groups = 0;
    my ($t) = branch(0);
    $t = '^' . $t if rand() < 0.1;
    $t .= '$' if rand() < 0.1;
    $t = $t . '|' . (branch(0))[0] if rand() < 0.15;
    return $t;
}

sub subject {
    my $n = int(rand(12));
    return join('', map { pick(@alphabet) } 1 .. $n);
}

my %seen;
my $rows = 0;
while ($rows < $wanted) {
    my $pat = pattern();
    next if $seen{$pat}++;
    # Back-references inside their own group mean different things.
    next if $pat =~ /\\[1-9]/ && !refs_ok($pat);
    my $mods = rand() < 0.2 ? 'i' : '';
    my $re = eval { $mods eq 'i' ? qr/(?s)(?i)$pat/ : qr/(?s)$pat/ };
    next unless defined $re;
    my @subjects = (subject(), subject(), subject());
    my $m = $pat;
    $m =~ s/\\.|[^a-zA-Z1\- ]//g;
    push @subjects, subject() . $m . subject();
    for my $s (@subjects) {
        my $expected;
        if ($s =~ $re) {
            my @parts;
            for my $g (0 .. $#+) {
                if (defined $-[$g]) {
                    push @parts, ($-[$g] + 1) . ',' . ($+[$g] - $-[$g]);
                } else {
                    push @parts, '-1,-1';
                }
            }
            $expected = join(';', @parts);
        } else {
            $expected = 'nomatch';
        }
        print join("\t", $mods, $pat, $s, $expected), "\n";
        ++$rows;
    }
}

# True when every back-reference names a group closed before it.
sub refs_ok {
    my ($pat) = @_;
    my @open;
    my %closed;
    my $n = 0;
    my $i = 0;
    while ($i < length($pat)) {
        my $c = substr($pat, $i, 1);
        if ($c eq '\\') {
            my $d = substr($pat, $i + 1, 1);
            if ($d =~ /[1-9]/) { return 0 unless $closed{$d}; }
            $i += 2;
            next;
        }
        if ($c eq '[') {
            # skip the class
            my $j = $i + 1;
            $j++ if substr($pat, $j, 1) eq '^';
            $j++ if substr($pat, $j, 1) eq ']';
            while ($j < length($pat) && substr($pat, $j, 1) ne ']') {
                $j += (substr($pat, $j, 1) eq '\\') ? 2 : 1;
            }
            $i = $j + 1;
            next;
        }
        if ($c eq '(') { push @open, ++$n; }
        if ($c eq ')') { $closed{pop @open} = 1; }
        ++$i;
    }
    return 1;
}
