#!/usr/bin/env bash
# A column block cut across a tab comes back exactly with Ctrl+Z, and the
# saved bytes show it; block indent in column mode indents where the block
# is on screen on every line, also right of a tab.
source "$(dirname "$0")/lib.sh"

# edit_and_undo NAME ORIGINAL EDITED KEYS...: opens a file holding ORIGINAL
# (printf format), sends KEYS, saves and expects EDITED, then undoes, saves
# and expects ORIGINAL again.
edit_and_undo() {
  local f="$E2E_TMP/$1" original=$2 edited=$3
  shift 3
  printf "$original" >"$f"
  start_app "$f"
  expect_state tabs "$f"
  keys "$@" ctrl+s
  expect_state panel1 "Wrote $f"
  printf "$edited" | cmp - "$f" || fail "$f after the edit: $(od -c "$f" | head -4)"
  keys ctrl+z ctrl+s
  wait_for state_is modified 0 || fail "$f still modified after saving"
  printf "$original" | cmp - "$f" || fail "$f after undo: $(od -c "$f" | head -4)"
  stop_app
}

# Column mode; the block runs from screen column 4 (inside the tab, which
# covers columns 3 and 4) to column 6 on all three lines.
edit_and_undo block.txt 'ab\tcd\nabcdefgh\nabcdefgh\n' 'abd\nabcfgh\nabcfgh\n' \
  ctrl+shift+c Down Down Right Right Right shift+Right shift+Right shift+Up shift+Up ctrl+x

# Screen columns 5 to 7 on both lines: after the tab on line 1, after "1234"
# on line 2. The indent tab goes before the block on both.
edit_and_undo indent.txt '\tabc\n1234abc\n' '\t\tabc\n1234\tabc\n' \
  ctrl+shift+c Right shift+Down shift+Right shift+Right shift+Right ctrl+shift+i
