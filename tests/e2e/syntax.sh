#!/usr/bin/env bash
# Syntax from the file name: Main.CPP gets the C/C++ highlighter and its
# colours on screen, README stays plain, and each script language is picked
# by its extension (Python with its colours on screen).
source "$(dirname "$0")/lib.sh"

printf '#include <x>\r\nint main() { return 0; } // done\r\n' >"$E2E_TMP/Main.CPP"
printf '#include <x>\nint main() { return 0; } // done\n' >"$E2E_TMP/README"

start_app "$E2E_TMP/Main.CPP"
expect_state syntax CC1
expect_state highlighter TCppHighlighter
expect_state painted_lines 3
sleep 0.3
for colour in 0000FF 008000 000080; do  # keywords, comments, directives
  n=$(colour_pixels $colour)
  [ "$n" -gt 0 ] || fail "no #$colour pixels for C/C++"
done
[ -n "${E2E_KEEP_SCREENSHOTS:-}" ] && cp "$E2E_TMP/window.png" "$E2E_KEEP_SCREENSHOTS/syntax-cpp.png"
stop_app

start_app "$E2E_TMP/README"
expect_state syntax Normal1
expect_state highlighter -
sleep 0.3
for colour in 0000FF 008000 000080; do
  n=$(colour_pixels $colour)
  [ "$n" -eq 0 ] || fail "$n #$colour pixels in plain text"
done
stop_app
# Python: reserved words navy, strings red, documentation maroon.
cat >"$E2E_TMP/sample.py" <<'PY'
"""Module documentation
over two lines."""
def greet(name):
    return 'hello ' + name  # greeting
PY
start_app "$E2E_TMP/sample.py"
expect_state syntax Python1
expect_state highlighter TPythonHighlighter
sleep 0.3
for colour in 000080 FF0000 800000; do
  n=$(colour_pixels $colour)
  [ "$n" -gt 0 ] || fail "no #$colour pixels for Python"
done
[ -n "${E2E_KEEP_SCREENSHOTS:-}" ] && cp "$E2E_TMP/window.png" "$E2E_KEEP_SCREENSHOTS/syntax-python.png"
stop_app

for row in "run.sh UNIXScript1 TUNIXShellScriptHighlighter" "lib.pl Perl1 TPerlHighlighter" \
           "make.bat DOSBatch1 TBatHighlighter" "app.rb Ruby1 TRubyHighlighter" "boot.asm ASM1 TAsmHighlighter"; do
  set -- $row
  printf 'echo x # y\n' >"$E2E_TMP/$1"
  start_app "$E2E_TMP/$1"
  expect_state syntax "$2"
  expect_state highlighter "$3"
  stop_app
done
echo "syntax ok"
