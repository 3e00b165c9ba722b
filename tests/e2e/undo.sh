#!/usr/bin/env bash
# A column block cut across a tab comes back exactly with Ctrl+Z, and the
# saved bytes show it.
source "$(dirname "$0")/lib.sh"

f="$E2E_TMP/block.txt"
printf 'ab\tcd\nabcdefgh\nabcdefgh\n' >"$f"
start_app "$f"
expect_state tabs "$f"

# Column mode; the block runs from screen column 4 (inside the tab, which
# covers columns 3 and 4) to column 6 on all three lines.
keys ctrl+shift+c Down Down Right Right Right shift+Right shift+Right shift+Up shift+Up
keys ctrl+x ctrl+s
expect_state panel1 "Wrote $f"
printf 'abd\nabcfgh\nabcfgh\n' | cmp - "$f" || fail "after the cut: $(od -c "$f" | head -4)"

keys ctrl+z ctrl+s
wait_for state_is modified 0 || fail "still modified after saving"
printf 'ab\tcd\nabcdefgh\nabcdefgh\n' | cmp - "$f" || fail "after undo: $(od -c "$f" | head -4)"
stop_app
