#!/usr/bin/env bash
# Opening a pipe with no writer, which a read would wait on for ever, fails at
# once with a message naming the file; its tab stays empty and the program
# responsive.
source "$(dirname "$0")/lib.sh"

fifo="$E2E_TMP/slow.txt"
mkfifo "$fifo"
start_app "$fifo"
box=$(dialog_window "Vantrel Editor") || fail "no message for the pipe"
expect_state message "Cannot open \"$fifo\": not a regular file (a FIFO)"
xdotool windowfocus --sync "$box"
keys Return
wait_for no_window "Vantrel Editor" || fail "the message stayed open"
# The message showed before the main window; find that one now.
APP_WINDOW=$(dialog_window "$fifo Vantrel Editor") || fail "no main window after the message"
expect_state tabs "$fifo"
expect_state lines 0
expect_state modified 0
focus_app
keys ctrl+t
expect_state tabs "$fifo|Untitled2"
stop_app
echo "pipe refused ok"
