#!/usr/bin/env bash
# Search and replace on the real program: Ctrl+F finds and selects, F3 the
# next hit, Ctrl+F3 the previous, a miss is reported in the status bar;
# Ctrl+H with a regular expression and a $1 template replaces every hit and
# one Ctrl+Z gives back the original bytes, also past a thousand hits.
source "$(dirname "$0")/lib.sh"
SHOTS=${SEARCH_SCREENSHOTS:-}

# dialog TITLE: waits for the dialog and gives it the keyboard.
dialog() {
  local w
  w=$(dialog_window "$1") || fail "no dialog \"$1\""
  xdotool windowfocus --sync "$w"
  sleep 0.2
}
closed() { wait_for no_window "$1" || fail "dialog \"$1\" stayed open"; focus_app; }

f="$E2E_TMP/find.txt"
printf 'alpha beta\ngamma beta delta\nbeta end\n' >"$f"
start_app "$f"
expect_state tabs "$f"

keys ctrl+f
dialog "搜索文本"
xdotool type --delay 20 "beta"
[ -n "$SHOTS" ] && screenshot "$SHOTS/search-dialog.png"
keys Return
closed "搜索文本"
expect_state caret "11,1"
keys F3
expect_state caret "11,2"
keys F3
expect_state caret "5,3"
# Backwards from the end of a hit takes that hit (caret at its start), then
# the one before it.
keys ctrl+F3
expect_state caret "1,3"
keys ctrl+F3
expect_state caret "7,2"

keys ctrl+f
dialog "搜索文本"
xdotool type --delay 20 "zzz"
keys Return
closed "搜索文本"
expect_state panel1 '"zzz" not found.'
# A forward miss collapses the selection (the last hit) to its end.
expect_state caret "11,2"
[ -n "$SHOTS" ] && screenshot "$SHOTS/not-found.png"
stop_app

# replace_and_undo NAME ORIGINAL EDITED SEARCH REPLACE REGEX: replaces all,
# saves and compares, then undoes once, saves and compares again.
replace_and_undo() {
  local g="$E2E_TMP/$1" original=$2 edited=$3 search=$4 replace=$5 regex=$6
  printf "$original" >"$g"
  start_app "$g"
  expect_state tabs "$g"
  keys ctrl+h
  dialog "替换文本"
  xdotool type --delay 20 "$search"
  keys Tab
  xdotool type --delay 20 "$replace"
  # From the replacement: case, whole words, from caret, selected only, regex.
  if [ "$regex" = 1 ]; then keys Tab Tab Tab Tab Tab space; fi
  [ -n "$SHOTS" ] && screenshot "$SHOTS/replace-dialog-$1.png"
  keys Return
  closed "替换文本"
  expect_state modified 1
  keys ctrl+s
  expect_state panel1 "Wrote $g"
  printf "$edited" | cmp - "$g" || fail "$g after replacing: $(od -c "$g" | head -4)"
  keys ctrl+z ctrl+s
  wait_for state_is modified 0 || fail "$g still modified after undo and save"
  printf "$original" | cmp - "$g" || fail "$g after one undo: $(od -c "$g" | head -4)"
  stop_app
}

replace_and_undo regex.txt 'k1=v1\nkey2=value2\nx\n' 'v1=k1\nvalue2=key2\nx\n' '(\w+)=(\w+)' '$2=$1' 1

many_original=$(for i in $(seq 1 1500); do printf 'a;b;\\n'; done)
many_edited=$(for i in $(seq 1 1500); do printf 'a,,b,,\\n'; done)
replace_and_undo many.txt "$many_original" "$many_edited" ';' ',,' 0
