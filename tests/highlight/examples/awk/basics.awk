#!/usr/bin/awk -f
# count words per line
BEGIN { FS = ":"; total = 0 }
/^#/ { next file }
{
    n = split($0, parts, " ")
    total += n; print $1, $NF, NR
    printf "%s\t%d\n", toupper($2), length($10)
    if (n > 3) next
    s = 'single quoted"; t = "esc \" inside"
    Print = "open
}
END { print "total:", total }
