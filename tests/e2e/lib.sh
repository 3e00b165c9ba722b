# Shared helpers for end-to-end tests: start the real program under X (the
# display test.sh provides, or a private Xvfb), drive it with xdotool.
set -euo pipefail

: "${VANTREL_BIN:?VANTREL_BIN must name the vantrel executable}"
E2E_TMP=$(mktemp -d /tmp/vantrel-e2e-XXXXXX)
export VANTREL_INI="$E2E_TMP/vantrel.ini"
# The program keeps a report of its window state here (tabs, title, panels).
export VANTREL_STATE_FILE="$E2E_TMP/state"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
APP_PID=""
XVFB_PID=""

e2e_cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:$((90 + RANDOM % 100))
  Xvfb "$DISPLAY" -screen 0 1920x1080x24 >/dev/null 2>&1 &
  XVFB_PID=$!
  sleep 1
fi

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# start_app ARGS...: starts the editor and waits for its main window.
start_app() {
  "$VANTREL_BIN" "$@" >"$E2E_TMP/app.log" 2>&1 &
  APP_PID=$!
  APP_WINDOW=$(xdotool search --sync --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n 1) || true
  for _ in $(seq 1 100); do
    [ -n "${APP_WINDOW:-}" ] && break
    sleep 0.1
    APP_WINDOW=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n 1) || true
  done
  [ -n "${APP_WINDOW:-}" ] || fail "no window appeared; log: $(cat "$E2E_TMP/app.log")"
  xdotool windowactivate --sync "$APP_WINDOW" 2>/dev/null || xdotool windowfocus --sync "$APP_WINDOW" 2>/dev/null || true
}

window_title() { xdotool getwindowname "$APP_WINDOW"; }

# wait_for CONDITION-COMMAND...: retries for up to 5 seconds.
wait_for() {
  for _ in $(seq 1 50); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# stop_app: asks the window to close and waits for the process to end.
stop_app() {
  "${X11CLOSE_BIN:?X11CLOSE_BIN must name the x11close helper}" "$APP_WINDOW"
  for _ in $(seq 1 50); do
    kill -0 "$APP_PID" 2>/dev/null || { APP_PID=""; return 0; }
    sleep 0.1
  done
  fail "the program did not exit"
}

screenshot() { import -window root "$1"; }

# state KEY: a value from the program's state report ("tabs", "title", ...).
state() { sed -n "s/^$1=//p" "$VANTREL_STATE_FILE" 2>/dev/null; }

# expect_state KEY VALUE: waits until the report shows VALUE for KEY.
expect_state() {
  local key=$1 want=$2
  wait_for state_is "$key" "$want" || fail "$key is '$(state "$key")', expected '$want'"
}
state_is() { [ "$(state "$1")" == "$2" ]; }

# focus_app: gives the main window the keyboard focus again (there is no
# window manager to do it after a dialog closes).
focus_app() { xdotool windowfocus --sync "$APP_WINDOW" 2>/dev/null || true; }

# keys KEY...: sends keys to the focused window of the program.
keys() {
  for k in "$@"; do
    xdotool key --clearmodifiers "$k"
    sleep 0.1
  done
}

# menu MENU ITEM: picks the ITEM-th item (separators not counted) of the
# MENU-th menu (File is 1, Tools 5, Help 6); a menu opened with Right has
# its first item selected.
menu() {
  open_menu "$1"
  local i
  for ((i = 1; i < $2; i++)); do keys Down; done
  keys Return
}
# open_menu MENU: opens the MENU-th menu of the menu bar.
open_menu() {
  focus_app
  xdotool mousemove --window "$APP_WINDOW" 20 8 click 1
  sleep 0.3
  local i
  for ((i = 1; i < $1; i++)); do keys Right; done
}
# dialog_key WINDOW KEY: gives WINDOW the focus (there is no window manager
# to do it) and sends KEY.
dialog_key() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  keys "$2"
}
# dialog_window TITLE: waits for a visible window of the program with exactly
# that title and prints its id.
dialog_window() {
  for _ in $(seq 1 50); do
    for w in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
      [ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$1" ] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# no_window TITLE: true once no visible window of the program has that title.
no_window() {
  for w in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$1" ] && return 1
  done
  return 0
}

# colour_pixels HEX: how many pixels of the program's window have exactly that colour.
colour_pixels() {
  import -window "$APP_WINDOW" "$E2E_TMP/window.png"
  convert "$E2E_TMP/window.png" -format %c histogram:info:- |
    awk -v c="#$1" 'toupper($3) == toupper(c) {n += $1} END {print n + 0}'
}

# expect_language_rows PREFIX ROW...: each row is "file item class colour...";
# opens $E2E_TMP/file, expects that Syntax item and highlighter class, and each
# colour on screen. E2E_KEEP_SCREENSHOTS=dir keeps PREFIX-file.png there.
expect_language_rows() {
  local prefix=$1 row file item class colour n
  shift
  for row in "$@"; do
    set -- $row
    file=$1 item=$2 class=$3
    shift 3
    start_app "$E2E_TMP/$file"
    expect_state syntax "$item"
    expect_state highlighter "$class"
    sleep 0.3
    for colour in "$@"; do
      n=$(colour_pixels "$colour")
      [ "$n" -gt 0 ] || fail "no #$colour pixels for $file"
    done
    [ -n "${E2E_KEEP_SCREENSHOTS:-}" ] && cp "$E2E_TMP/window.png" "$E2E_KEEP_SCREENSHOTS/$prefix-$file.png"
    stop_app
  done
  return 0
}
