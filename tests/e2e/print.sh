#!/usr/bin/env bash
# vantrel --print-pdf without a display: page counts, headers and footers,
# every line printed once (long lines wrapped, not cut), colours only when
# asked for, and failures reported with status 1.
source "$(dirname "$0")/lib.sh"

pdf() { env -u DISPLAY "$VANTREL_BIN" --print-pdf "$@"; }
pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
# Pixels of a rendered first page that are clearly coloured, not grey.
coloured_pixels() {
  pdftoppm -r 50 -f 1 -l 1 "$1" "$E2E_TMP/page"
  python3 - "$E2E_TMP"/page-1.ppm <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
# P6 header: magic, width, height, maximum, then RGB triples.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace(): pos += 1
    start = pos
    while not data[pos:pos + 1].isspace(): pos += 1
    fields.append(data[start:pos])
pixels = data[pos + 1:]
print(sum(1 for i in range(0, len(pixels), 3) if max(pixels[i:i + 3]) - min(pixels[i:i + 3]) > 60))
PY
}

# An empty document is one page with its header and footer only.
: >"$E2E_TMP/empty.txt"
pdf "$E2E_TMP/empty.pdf" "$E2E_TMP/empty.txt" || fail "printing an empty file failed"
[ "$(pages "$E2E_TMP/empty.pdf")" = 1 ] || fail "empty document: $(pages "$E2E_TMP/empty.pdf") pages"
text=$(pdftotext "$E2E_TMP/empty.pdf" - | grep -v '^\s*$' | tr '\n' '|')
[ "$text" = "empty.txt|1/1|" ] || fail "empty document reads '$text'"

# 200 lines at 60 a page (10 pt on A4 at 300 dpi): 4 pages, every line once.
seq -f 'line %g' 1 200 >"$E2E_TMP/lines.txt"
pdf "$E2E_TMP/lines.pdf" "$E2E_TMP/lines.txt" || fail "printing 200 lines failed"
[ "$(pages "$E2E_TMP/lines.pdf")" = 4 ] || fail "200 lines: $(pages "$E2E_TMP/lines.pdf") pages"
for p in 1 2 3 4; do
  pdftotext -f $p -l $p "$E2E_TMP/lines.pdf" - | grep -qx "$p/4" || fail "page $p has no footer $p/4"
done
printed=$(pdftotext "$E2E_TMP/lines.pdf" - | grep -c '^line [0-9]*$')
[ "$printed" = 200 ] || fail "$printed of 200 lines printed"
[ "$(pdftotext -f 2 -l 2 "$E2E_TMP/lines.pdf" - | grep -m1 '^line ')" = "line 61" ] || fail "page 2 does not start at line 61"

# A 20000-character line without breaks wraps over pages and loses nothing.
head -c 20000 /dev/zero | tr '\0' 'x' >"$E2E_TMP/long.txt"
pdf "$E2E_TMP/long.pdf" "$E2E_TMP/long.txt" || fail "printing a long line failed"
xs=$(pdftotext "$E2E_TMP/long.pdf" - | grep -x 'x*' | tr -cd 'x' | wc -c)
[ "$xs" = 20000 ] || fail "$xs of 20000 characters of the long line printed"

# Highlighter colours appear with --colors only; the shape stays the same.
printf '/* comment */\nint main() { return "text"[0]; }\n' >"$E2E_TMP/code.cpp"
pdf "$E2E_TMP/plain.pdf" "$E2E_TMP/code.cpp" || fail "printing C++ failed"
env -u DISPLAY "$VANTREL_BIN" --colors --print-pdf "$E2E_TMP/colour.pdf" "$E2E_TMP/code.cpp" || fail "printing in colour failed"
[ "$(coloured_pixels "$E2E_TMP/plain.pdf")" = 0 ] || fail "colours printed without --colors"
[ "$(coloured_pixels "$E2E_TMP/colour.pdf")" -gt 20 ] || fail "no colours printed with --colors"
[ "$(pdftotext "$E2E_TMP/colour.pdf" - | grep -c 'int main')" = 1 ] || fail "the coloured print lost its text"

# Failures: status 1 and a message, no PDF left behind.
if pdf "$E2E_TMP/missing.pdf" "$E2E_TMP/no-such-file.txt" 2>"$E2E_TMP/err"; then fail "a missing file printed"; fi
grep -q . "$E2E_TMP/err" || fail "no message for a missing file"
[ ! -e "$E2E_TMP/missing.pdf" ] || fail "a PDF was written for a missing file"
set +e
pdf "/nonexistent-dir/out.pdf" "$E2E_TMP/lines.txt" 2>"$E2E_TMP/err"
status=$?
set -e
[ "$status" = 1 ] || fail "an unwritable PDF gave status $status"
grep -q "could not start" "$E2E_TMP/err" || fail "unwritable PDF: $(cat "$E2E_TMP/err")"
echo "print: ok"
