#!/usr/bin/env bash
# The settings file: written at exit with every section and key; a second
# start restores the window size, the status bar and the view options.
source "$(dirname "$0")/lib.sh"

start_app
expect_state tabs "Untitled1"
read -r w h < <(xdotool getwindowgeometry "$APP_WINDOW" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
[ "$w" = 640 ] && [ "$h" = 501 ] || fail "default size is ${w}x${h}"
stop_app

[ -f "$VANTREL_INI" ] || fail "no settings file written"
for key in Name CharSet Color Size Style; do
  sed -n '/^\[Font\]/,/^\[/p' "$VANTREL_INI" | grep -q "^$key=" || fail "Font/$key missing: $(cat "$VANTREL_INI")"
done
for key in MAX Lpos Tpos Width Height LineNum CurrentLine WordWrap StatusBar RightEdge; do
  sed -n '/^\[Options\]/,/^\[/p' "$VANTREL_INI" | grep -q "^$key=" || fail "Options/$key missing: $(cat "$VANTREL_INI")"
done
grep -q '^Width=640$' "$VANTREL_INI" || fail "width not written: $(cat "$VANTREL_INI")"
grep -q '^Name=Courier New$' "$VANTREL_INI" || fail "font not written: $(cat "$VANTREL_INI")"

sed -i -e 's/^Width=.*/Width=700/' -e 's/^Height=.*/Height=520/' -e 's/^StatusBar=.*/StatusBar=0/' \
  -e 's/^WordWrap=.*/WordWrap=1/' -e 's/^LineNum=.*/LineNum=7/' -e 's/^RightEdge=.*/RightEdge=0/' "$VANTREL_INI"
start_app
expect_state statusbar 0
expect_state wordwrap 1
expect_state linenumbers 1
expect_state rightedge 0
read -r w h < <(xdotool getwindowgeometry "$APP_WINDOW" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
[ "$w" = 700 ] && [ "$h" = 520 ] || fail "restored size is ${w}x${h}"
stop_app
grep -q '^StatusBar=0$' "$VANTREL_INI" && grep -q '^Width=700$' "$VANTREL_INI" && grep -q '^LineNum=1$' "$VANTREL_INI" ||
  fail "second exit wrote: $(cat "$VANTREL_INI")"

# An unwritable settings file does not keep the program from closing.
VANTREL_INI=/proc/vantrel-none/vantrel.ini start_app
stop_app
echo "settings ok"
