#!/usr/bin/env bash
# Syntax from the file name: Main.CPP gets the C/C++ highlighter, README stays
# plain.
source "$(dirname "$0")/lib.sh"

printf '#include <x>\r\nint main() { return 0; } // done\r\n' >"$E2E_TMP/Main.CPP"
printf 'int main\n' >"$E2E_TMP/README"

start_app "$E2E_TMP/Main.CPP"
expect_state syntax CC1
expect_state highlighter TCppHighlighter
stop_app

start_app "$E2E_TMP/README"
expect_state syntax Normal1
expect_state highlighter -
stop_app
echo "syntax ok"
