#!/bin/sh
# Backs up a directory; usage: backup.sh DIR [DEST]
set -eu
src=${1:?"no source"}
dest="${2:-$HOME/backup}"
stamp=$(date +%Y%m%d)
if [ ! -d "$src" ]; then
    echo "not a directory: $src" >&2
    exit 1
fi
for f in "$src"/*; do
    case "$f" in
        *.tmp|*.o) continue ;;
        *) cp -p "$f" "$dest/" ;;
    esac
done
while read -r line; do echo "$line"; done < list.txt
tar czf "$dest/$stamp.tgz" -C "${src%/*}" .
PATH=$PATH:/usr/local/bin; export PATH
echo 'single $quotes' "and \"escaped\" ones" $# $? ${#src}
g++ -O2 -o prog prog.cc && ./prog 1.5 2..3
echo """tripled""" unterminated "string
