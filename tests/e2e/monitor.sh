#!/usr/bin/env bash
# Tools > Monitor file follows a log that another process appends to 200
# times a second for 5 seconds: the window keeps answering keys, and ends
# showing the whole log with the caret on its last line.
source "$(dirname "$0")/lib.sh"

log="$E2E_TMP/follow.log"
printf 'start\n' >"$log"
start_app "$log"
expect_state lines 2

# Tools is the fifth menu; Monitor file is its last item (Up wraps to it).
xdotool mousemove --window "$APP_WINDOW" 20 8 click 1
sleep 0.3
keys Right Right Right Right Up Return
focus_app
expect_state readonly 1
expect_state panel1 "Monitoring $log"

perl -MTime::HiRes=sleep -e '
  $| = 1;
  open(my $f, ">>", $ARGV[0]) or die;
  $f->autoflush(1);
  for my $i (1 .. 1000) { print $f "line $i\n"; sleep 0.005; }' "$log" &
writer=$!

sleep 1.5
first=$(state lines)
# A key is answered at once while the reloads go on.
begin=$(date +%s%N)
keys ctrl+t
expect_state tabs "$log|Untitled2"
took=$((($(date +%s%N) - begin) / 1000000))
[ "$took" -lt 1500 ] || fail "a new tab took $took ms"
keys ctrl+Tab
expect_state active 0
sleep 1
second=$(state lines)
[ "$second" -gt "$first" ] || fail "the document stopped following: $first then $second lines"

wait "$writer"
expect_state lines 1002
expect_state last_lines "line 1000|"
expect_state caret "1,1002"
expect_state panel0 "  ln 1002 col 1"
expect_state modified 0
expect_state panel1 "Monitoring $log"

screenshot "$E2E_TMP/monitor.png"
[ -n "${E2E_KEEP_SCREENSHOTS:-}" ] && cp "$E2E_TMP/monitor.png" "$E2E_KEEP_SCREENSHOTS/"
stop_app
echo "monitor ok"
