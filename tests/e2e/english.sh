#!/usr/bin/env bash
# Interface language: with an English locale the menus and dialogs read in
# English and their mnemonics work; with LANG=C the stored Chinese captions
# appear; VANTREL_LANG overrides the locale. Screenshots of every menu and
# dialog are kept in $VANTREL_SHOTS when set.
source "$(dirname "$0")/lib.sh"
shots=${VANTREL_SHOTS:-$E2E_TMP}

f="$E2E_TMP/sample.c"
printf 'int main(void) {\n\treturn 0;\n}\n' >"$f"

# open_dialog MENU ITEM TITLE SHOT: opens a dialog from the menus, keeps a
# screenshot of it and closes it again.
open_dialog() {
  menu "$1" "$2"
  local dialog
  dialog=$(dialog_window "$3") || fail "no '$3' window after menu $1 item $2"
  sleep 0.3
  import -window "$dialog" "$shots/$4.png"
  "$X11CLOSE_BIN" "$dialog"
  wait_for no_window "$3" || fail "'$3' stayed open"
  focus_app
}

unset LC_ALL LC_MESSAGES VANTREL_LANG
export LANG=en_US.UTF-8
start_app "$f"
expect_state menus "&File|&Edit|&Search|&View|&Tools|&Help"
for m in 1 2 3 4 5 6; do
  open_menu "$m"
  sleep 0.3
  screenshot "$shots/english-menu-$m.png"
  keys Escape Escape
done
open_dialog 3 1 "Search text" english-search
open_dialog 3 4 "Replace text" english-replace
open_dialog 3 5 "Go to line number:" english-goto-line
open_dialog 4 1 "Hex view" english-hex-view
open_dialog 5 1 "Base conversion" english-base-converter
open_dialog 5 2 "ASCII code table" english-ascii-table
open_dialog 5 7 "Execute command line" english-command-line
open_dialog 6 1 "About Vantrel Editor" english-about
# Mnemonics: Alt+F opens File, N is its New.
focus_app
keys alt+f n
two_tabs() { [ "$(state tabs | tr '|' '\n' | wc -l)" -eq 2 ]; }
wait_for two_tabs || fail "Alt+F N opened no new tab: tabs are '$(state tabs)'"
stop_app

# The tests' own locale shows the stored captions.
export LANG=C
start_app "$f"
expect_state menus "&文件|&编辑|&搜索|&查看|&工具|&帮助"
open_menu 1
sleep 0.3
screenshot "$shots/chinese-menu-1.png"
keys Escape Escape
open_dialog 3 1 "搜索文本" chinese-search
stop_app

VANTREL_LANG=en start_app "$f"
expect_state menus "&File|&Edit|&Search|&View|&Tools|&Help"
stop_app
echo "english ok"
