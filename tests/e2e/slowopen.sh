#!/usr/bin/env bash
# A file that is slow to read shows progress after half a second; Cancel
# leaves its tab empty and the program responsive, even while the read is
# still blocked (a pipe with no writer).
source "$(dirname "$0")/lib.sh"

fifo="$E2E_TMP/slow.txt"
mkfifo "$fifo"
printf 'x\n' >"$E2E_TMP/other.txt"
start_app "$fifo"
progress=$(dialog_window Opening) || fail "no progress shown"
xdotool windowfocus --sync "$progress"
keys Escape
wait_for no_window Opening || fail "the progress stayed open"
# The progress showed before the main window; find that one now.
APP_WINDOW=$(dialog_window "$fifo Vantrel Editor") || fail "no main window after cancelling"
expect_state tabs "$fifo"
expect_state lines 0
expect_state modified 0
focus_app
keys ctrl+t
expect_state tabs "$fifo|Untitled2"
stop_app
echo "slow open ok"
