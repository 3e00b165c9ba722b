#!/usr/bin/env bash
# Word wrap from a settings file that names no font: caret keys in the new,
# empty document raise no error box, the editor gets a fixed-pitch font, and
# a wrapped line keeps working. Screenshots go to VANTREL_E2E_SHOTS when set.
source "$(dirname "$0")/lib.sh"
shots=${VANTREL_E2E_SHOTS:-$E2E_TMP}

printf '[Options]\nWordWrap=1\n' >"$VANTREL_INI"
start_app
expect_state tabs "Untitled1"
expect_state wordwrap 1
expect_state lines 0

# The error report is a message box captioned with the program's name.
for k in Home shift+Home End shift+End Up Down Page_Up Page_Down ctrl+Home ctrl+End shift+Up shift+Down; do
  keys "$k"
  if dialog_window "Vantrel Editor" >/dev/null; then
    screenshot "$shots/wordwrap-error.png"
    fail "$k in the empty document raised an error"
  fi
done
expect_state panel0 "  ln 1 col 1"
screenshot "$shots/wordwrap-empty.png"

# A line longer than the window wraps; End goes to the end of its first row,
# and a second End on the last row to the line end.
xdotool type --delay 5 "$(printf 'word %.0s' $(seq 1 40))"
keys ctrl+Home End
dialog_window "Vantrel Editor" >/dev/null && fail "End on a wrapped line raised an error"
col=$(state panel0 | sed -n 's/.* col //p')
[ "$col" -gt 1 ] && [ "$col" -lt 200 ] || fail "End went to column '$col'"
screenshot "$shots/wordwrap-line.png"
"$X11CLOSE_BIN" "$APP_WINDOW"
question=$(dialog_window Confirm) || fail "no save question for the typed text"
xdotool windowfocus --sync "$question"
keys alt+n
wait_for bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "the program did not exit"
APP_PID=""

# The font written back is the fixed-pitch one the editor was given.
name=$(sed -n '/^\[Font\]/,/^\[/s/^Name=//p' "$VANTREL_INI")
[ -n "$name" ] || fail "no font name written: $(cat "$VANTREL_INI")"
spacing=$(fc-match -f '%{spacing}' "$name")
[ "$spacing" = 100 ] || [ "$spacing" = 110 ] || fail "font '$name' is not fixed-pitch (spacing '$spacing')"
echo "wordwrap ok"
