#!/bin/bash
# vantrel-hex against xxd: the offsets and hex digits of every row must agree
# for whole files and for ranges; refused and missing paths exit 2.
# Usage: hex_tool_vs_xxd.sh VANTREL_HEX_BINARY SOURCE_DIR
set -u
HEX=$1
SRC=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail=0

# Our rows as "offset hexdigits" in xxd's lower case, one row a line.
ours() { "$HEX" "$@" | awk '{ off = substr($0, 1, 8); hex = substr($0, 12, 48); gsub(/ /, "", hex); print tolower(off) " " tolower(hex) }'; }
theirs() {
  local file=$1 skip=${2:-0} len=${3:-}
  xxd -c16 -g1 -s "$skip" ${len:+-l "$len"} "$file" |
    awk '{ off = substr($0, 1, 8); hex = substr($0, 11, 47); gsub(/ /, "", hex); print off " " hex }'
}
check() {
  local name=$1; shift
  if ! diff <(ours "$@") <(theirs "$@") > "$WORK/diff"; then
    echo "FAIL: $name"; head -5 "$WORK/diff"; fail=1
  fi
}

head -c 4099 /dev/urandom > "$WORK/random.bin"
printf '0123456789abcdef' > "$WORK/sixteen.bin"
: > "$WORK/empty.bin"
printf 'x' > "$WORK/one.bin"

check "random bytes" "$WORK/random.bin"
check "exactly one row" "$WORK/sixteen.bin"
check "one byte" "$WORK/one.bin"
check "source file" "$SRC/src/hexview/HexLayout.cpp"
check "the tool itself" "$HEX"
check "range" "$WORK/random.bin" 1024 512
check "range past the end" "$WORK/random.bin" 4080 64

[ -z "$("$HEX" "$WORK/empty.bin")" ] || { echo "FAIL: empty file printed rows"; fail=1; }

# Each row is 77 cells: 8 offset digits, 16 pairs, lines, 16 characters.
width=$("$HEX" "$WORK/sixteen.bin" | iconv -f UTF-8 -t UTF-32LE | wc -c)
[ "$width" -eq $(( (77 + 1) * 4 )) ] || { echo "FAIL: row is $((width / 4 - 1)) cells"; fail=1; }

mkfifo "$WORK/fifo"
for refused in "$WORK/fifo" "$WORK" /dev/null "$WORK/missing"; do
  timeout 5 "$HEX" "$refused" > /dev/null 2> "$WORK/err"
  rc=$?
  if [ "$rc" -ne 2 ] || ! grep -q "Cannot open file" "$WORK/err"; then
    echo "FAIL: $refused gave exit $rc: $(cat "$WORK/err")"; fail=1
  fi
done

[ "$fail" -eq 0 ] && echo "vantrel-hex agrees with xxd"
exit "$fail"
