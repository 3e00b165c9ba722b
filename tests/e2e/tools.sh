#!/usr/bin/env bash
# Tools menu and go to line in the real program: command output appended
# after the last character and undone in one step, a hanging command
# cancelled at once, sort undone in one step, go to line 1234, and the
# base converter, ASCII table and About box shown (screenshots kept in
# $VANTREL_SHOTS when set).
source "$(dirname "$0")/lib.sh"
shots=${VANTREL_SHOTS:-$E2E_TMP}

run_command() {
  menu 5 7
  local dialog
  dialog=$(dialog_window "执行命令行") || fail "no command line dialog"
  xdotool type --window "$dialog" --delay 20 "$1"
  dialog_key "$dialog" Return
}

f="$E2E_TMP/out.txt"
printf 'first\nlast' >"$f"
start_app "$f"
expect_state lines 2

run_command "printf 'a\\nb'"
expect_state last_lines "lasta|b"
expect_state lines 3
expect_state modified 1
focus_app
keys ctrl+z
expect_state last_lines "first|last"
expect_state lines 2

run_command "sleep 100"
busy=$(dialog_window "Running command") || fail "no busy dialog for sleep 100"
begin=$(date +%s%N)
dialog_key "$busy" Escape
wait_for no_window "Running command" || fail "the busy dialog stayed after Cancel"
took=$((($(date +%s%N) - begin) / 1000000))
[ "$took" -lt 1500 ] || fail "cancelling took $took ms"
children=$(pgrep -P "$APP_PID" || true)
[ -z "$children" ] || fail "the cancelled command still runs: $children"
expect_state lines 2
# Running a command marks the document modified, output or not.
expect_state modified 1
focus_app
keys ctrl+s
expect_state modified 0
stop_app

s="$E2E_TMP/sort.txt"
printf 'b\nA\n\na\n' >"$s"
start_app "$s"
expect_state lines 5  # the final line break ends in an empty line
menu 5 8
expect_state modified 1
keys ctrl+s
expect_state panel1 "Wrote $s"
sorted=$(tr 'A' 'a' <"$s" | od -c)
[ "$sorted" == "$(printf '\na\na\nb\n' | od -c)" ] || fail "sorted file: $(od -c "$s")"
keys ctrl+z ctrl+s
wait_for state_is modified 0 || fail "still modified after undo and save"
printf 'b\nA\n\na\n' | cmp - "$s" || fail "undo of the sort: $(od -c "$s")"
stop_app

long="$E2E_TMP/long.txt"
seq 1 5000 >"$long"
start_app "$long"
expect_state lines 5001
keys ctrl+g
goto=$(dialog_window "跳转行号:") || fail "no go-to-line dialog"
xdotool type --window "$goto" "12x34"  # the letter is refused
xdotool mousemove --window "$goto" 56 69 click 1  # OK
focus_app
expect_state caret "1,1234"
screenshot "$shots/tools-goto.png"

menu 5 1
conv=$(dialog_window "基本转换") || fail "no base converter"
screenshot "$shots/tools-baseconv.png"
dialog_key "$conv" Escape
menu 5 2
dialog_window "ASCII码表" >/dev/null || fail "no ASCII table"
screenshot "$shots/tools-ascii.png"
keys Escape
wait_for no_window "ASCII码表" || fail "Esc did not close the ASCII table"
menu 6 1
dialog_window "关于 Vantrel Editor" >/dev/null || fail "no About box"
screenshot "$shots/tools-about.png"
keys Return
wait_for no_window "关于 Vantrel Editor" || fail "OK did not close the About box"
stop_app
