#!/usr/bin/env bash
# Files on the command line: one tab each, in order, the last active; Ctrl+Tab
# walks the tabs, Ctrl+T adds one.
source "$(dirname "$0")/lib.sh"

d="$E2E_TMP/docs"
mkdir -p "$d"
printf 'alpha\n' >"$d/a.txt"
printf 'beta\n' >"$d/b.txt"
printf 'gamma\n' >"$d/c.txt"

start_app "$d/a.txt" "$d/b.txt" "$d/c.txt"
expect_state tabs "$d/a.txt|$d/b.txt|$d/c.txt"
expect_state active 2
[[ "$(window_title)" == "$d/c.txt Vantrel Editor" ]] || fail "title is '$(window_title)'"
expect_state modified 0
expect_state panel1 ""

keys ctrl+Tab
expect_state active 0
wait_for bash -c "[[ \"\$(xdotool getwindowname $APP_WINDOW)\" == 'a.txt - Vantrel Editor' ]]" ||
  fail "title after Ctrl+Tab is '$(window_title)'"
keys ctrl+Tab ctrl+Tab ctrl+Tab
expect_state active 0

keys ctrl+t
expect_state tabs "$d/a.txt|$d/b.txt|$d/c.txt|Untitled4"
expect_state active 3
[[ "$(window_title)" == "Untitled4 - Vantrel Editor" ]] || fail "title is '$(window_title)'"

screenshot "$E2E_TMP/tabs.png"
[ -n "${E2E_KEEP_SCREENSHOTS:-}" ] && cp "$E2E_TMP/tabs.png" "$E2E_KEEP_SCREENSHOTS/"
stop_app
echo "tabs ok"
