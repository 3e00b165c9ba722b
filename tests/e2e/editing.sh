#!/usr/bin/env bash
# Typing marks the document; Ctrl+S writes the exact bytes in the file's own
# line-break style; closing a modified document asks, and Cancel keeps it.
source "$(dirname "$0")/lib.sh"

f="$E2E_TMP/notes.txt"
printf 'one\ntwo\n' >"$f"
start_app "$f"
expect_state tabs "$f"

xdotool type --delay 50 "X"
expect_state tabs "*$f"
expect_state panel1 "Modified"
expect_state modified 1

keys ctrl+s
expect_state tabs "$f"
expect_state panel1 "Wrote $f"
printf 'Xone\ntwo\n' | cmp - "$f" || fail "saved bytes: $(od -c "$f" | head -3)"

xdotool type --delay 50 "Y"
expect_state tabs "*$f"
keys ctrl+w
question=$(dialog_window Confirm) || fail "no question when closing a modified document"
xdotool windowfocus --sync "$question"
keys Escape
wait_for no_window Confirm || fail "the question stayed open"
focus_app
expect_state tabs "*$f"
printf 'Xone\ntwo\n' | cmp - "$f" || fail "Cancel wrote the file"

keys ctrl+w
question=$(dialog_window Confirm) || fail "no question the second time"
xdotool windowfocus --sync "$question"
keys alt+n
expect_state tabs "Untitled1"
expect_state modified 0
expect_state lines 0
printf 'Xone\ntwo\n' | cmp - "$f" || fail "No wrote the file"

stop_app
echo "editing ok"
