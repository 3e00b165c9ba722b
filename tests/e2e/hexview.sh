#!/usr/bin/env bash
# View in hex on a saved file shows its rows in the hex window; on a document
# never saved it reports the name in a "Viewer" box and opens empty.
source "$(dirname "$0")/lib.sh"

f="$E2E_TMP/sample.bin"
printf 'Vantrel hex view end-to-end test\n\x00\x01\x02\x7f\x80\xff tail' >"$f"
start_app "$f"
expect_state tabs "$f"
focus_app

keys ctrl+alt+h
hex=$(dialog_window "16进制查看") || fail "no hex window after Ctrl+Alt+H"
sleep 0.5
shot="${E2E_SHOTS:-$E2E_TMP}/hexview.png"
screenshot "$shot"
# The light grey behind the hex digits is on screen.
geometry=$(xdotool getwindowgeometry --shell "$hex")
eval "$geometry"
grey=$(convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage -format %c histogram:info:- | grep -ci '#ECECEC' || true)
[ "$grey" -ge 1 ] || fail "no hex background in the hex window"
xdotool windowfocus --sync "$hex"
keys Escape
wait_for no_window "16进制查看" || fail "Escape did not close the hex window"
focus_app

# A new document has no file to show.
keys ctrl+n
xdotool type --delay 50 "unsaved"
keys ctrl+alt+h
box=$(dialog_window "Viewer") || fail "no Viewer message for an unsaved document"
xdotool windowfocus --sync "$box"
keys Return
hex=$(dialog_window "16进制查看") || fail "the hex window did not open after the message"
xdotool windowfocus --sync "$hex"
keys Escape
wait_for no_window "16进制查看" || fail "the empty hex window stayed open"
kill -0 "$APP_PID" || fail "the program ended"
echo "hexview: ok"
