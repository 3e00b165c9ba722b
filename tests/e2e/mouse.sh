#!/usr/bin/env bash
# The mouse on the real program: drag-selecting lines, double-clicking a
# word, a column block with the column mode key, wheel scrolling, and
# dragging a selection elsewhere with one undo step. Each result is saved
# and compared byte for byte.
source "$(dirname "$0")/lib.sh"

# The text area of a new main window: cells of 8 x 15 pixels from (2, 46)
# of the window (default font, no gutter). Checked by the first click.
CELL_W=8
CELL_H=15
ORIGIN_X=2
ORIGIN_Y=46

# at COLUMN ROW: window coordinates just right of a cell's left edge, so
# that the nearest caret position is before that column.
at() { echo "$((ORIGIN_X + ($1 - 1) * CELL_W + 1)) $((ORIGIN_Y + ($2 - 1) * CELL_H + CELL_H / 2))"; }

move_to() { xdotool mousemove --window "$APP_WINDOW" $(at "$1" "$2"); }

# click COLUMN ROW: one click, then a pause past the double-click time.
click() {
  move_to "$1" "$2"
  xdotool click 1
  sleep 0.6
}

# drag C1 R1 C2 R2: press, move there in steps, release.
drag() {
  move_to "$1" "$2"
  xdotool mousedown 1
  sleep 0.1
  local c r
  for i in 1 2 3 4; do
    c=$(($1 + ($3 - $1) * i / 4))
    r=$(($2 + ($4 - $2) * i / 4))
    move_to "$c" "$r"
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.6
}

lines_file() {
  for i in $(seq 1 "$2"); do echo "line $i: some text (with brackets) and words"; done >"$1"
}

# saved_as FILE EXPECTED-FILE: saves and compares.
saved_as() {
  keys ctrl+s
  wait_for state_is modified 0 || fail "not saved"
  cmp "$2" "$1" || fail "$1 differs: $(diff "$2" "$1" | head -8)"
}

# ---- calibration and drag-selecting three lines
f="$E2E_TMP/select.txt"
lines_file "$f" 60
start_app "$f"
expect_state tabs "$f"
click 10 20
expect_state caret "10,20"
drag 1 2 1 5
expect_state caret "1,5"
screenshot "$E2E_TMP/three-lines.png"
[ -n "${MOUSE_SHOTS:-}" ] && cp "$E2E_TMP/three-lines.png" "$MOUSE_SHOTS/"
keys Delete
lines_file "$E2E_TMP/want" 60
sed -i '2,4d' "$E2E_TMP/want"
saved_as "$f" "$E2E_TMP/want"
stop_app

# ---- double-clicking a word selects it; typing replaces it
f="$E2E_TMP/word.txt"
lines_file "$f" 10
start_app "$f"
expect_state tabs "$f"
move_to 28 3
xdotool click --repeat 2 --delay 80 1
sleep 0.6
keys X
lines_file "$E2E_TMP/want" 10
sed -i '3s/brackets/X/' "$E2E_TMP/want"
saved_as "$f" "$E2E_TMP/want"
stop_app

# ---- the column mode key, then a drag: a column block
f="$E2E_TMP/column.txt"
lines_file "$f" 10
start_app "$f"
expect_state tabs "$f"
keys ctrl+shift+c
drag 1 2 5 4
screenshot "$E2E_TMP/column.png"
[ -n "${MOUSE_SHOTS:-}" ] && cp "$E2E_TMP/column.png" "$MOUSE_SHOTS/"
keys Delete
lines_file "$E2E_TMP/want" 10
sed -i '2,4s/^line//' "$E2E_TMP/want"
saved_as "$f" "$E2E_TMP/want"
stop_app

# ---- the wheel scrolls three rows a notch and leaves the caret alone
f="$E2E_TMP/wheel.txt"
lines_file "$f" 500
start_app "$f"
expect_state tabs "$f"
move_to 5 5
for _ in 1 2 3 4; do
  xdotool click 5
  sleep 0.1
done
sleep 0.3
expect_state caret "1,1"
click 1 1
expect_state caret "1,13"
xdotool click 4
sleep 0.3
click 1 1
expect_state caret "1,10"
stop_app

# ---- dragging a selection moves it; one undo brings it back
f="$E2E_TMP/move.txt"
lines_file "$f" 10
start_app "$f"
expect_state tabs "$f"
# "some " on line 1 (columns 9 to 13), dropped at the start of line 5.
drag 9 1 14 1
drag 10 1 1 5
lines_file "$E2E_TMP/want" 10
sed -i '1s/some //; 5s/^/some /' "$E2E_TMP/want"
saved_as "$f" "$E2E_TMP/want"
screenshot "$E2E_TMP/moved.png"
[ -n "${MOUSE_SHOTS:-}" ] && cp "$E2E_TMP/moved.png" "$MOUSE_SHOTS/"
keys ctrl+z
lines_file "$E2E_TMP/want" 10
saved_as "$f" "$E2E_TMP/want"
stop_app
