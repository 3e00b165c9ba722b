#!/usr/bin/env bash
# Saving a file the user may not write fails with the system's reason and
# leaves the file as it was; the document stays modified and Save As still
# works. Root may write any file, so as root the editor runs as nobody.
source "$(dirname "$0")/lib.sh"

# Everything the editor writes lives in a folder its user owns.
home="$E2E_TMP/home"
mkdir -p "$home/runtime"
chmod 0700 "$home/runtime"
export HOME="$home" XDG_RUNTIME_DIR="$home/runtime"
export VANTREL_INI="$home/vantrel.ini" VANTREL_STATE_FILE="$home/state"
f="$home/readonly.txt"
printf 'original\n' >"$f"
chmod 0444 "$f"
if [ "$(id -u)" = 0 ]; then
  chmod 0711 "$E2E_TMP"
  chown -R 65534:65534 "$home"
  if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
    cp "$XAUTHORITY" "$home/Xauthority"
    chown 65534:65534 "$home/Xauthority"
    export XAUTHORITY="$home/Xauthority"
  fi
  # The same process id as the editor: setpriv execs it.
  wrapper="$E2E_TMP/as-nobody"
  printf '#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 --clear-groups "%s" "$@"\n' "$VANTREL_BIN" >"$wrapper"
  chmod 0755 "$wrapper"
  VANTREL_BIN="$wrapper"
fi

start_app "$f"
expect_state tabs "$f"
xdotool type --delay 50 "X"
expect_state tabs "*$f"

keys ctrl+s
box=$(dialog_window "Vantrel Editor") || fail "no error message for the failed save"
expect_state message "Cannot save \"$f\": Permission denied"
xdotool windowfocus --sync "$box"
keys Return
wait_for no_window "Vantrel Editor" || fail "the message stayed open"
focus_app
printf 'original\n' | cmp - "$f" || fail "the read-only file changed: $(od -c "$f" | head -3)"
[ "$(stat -c %a "$f")" = 444 ] || fail "mode is now $(stat -c %a "$f")"
expect_state tabs "*$f"
expect_state modified 1

# Save As under a new name in the same folder works.
copy="$home/copy.txt"
# The File menu has no key of its own: open it with the mouse, then the fifth
# item (New, Open, Open read-only, Save, Save As).
xdotool mousemove --window "$APP_WINDOW" 20 8 click 1
sleep 0.3
keys Down Down Down Down Down Return
dialog=$(dialog_window "Save As") || fail "no Save As dialog"
xdotool windowfocus --sync "$dialog"
keys ctrl+a
xdotool type --delay 20 "$copy"
keys Return
wait_for no_window "Save As" || fail "the Save As dialog stayed open"
focus_app
expect_state tabs "$copy"
expect_state modified 0
printf 'Xoriginal\n' | cmp - "$copy" || fail "Save As wrote: $(od -c "$copy" | head -3)"
printf 'original\n' | cmp - "$f" || fail "Save As changed the read-only file"
stop_app
