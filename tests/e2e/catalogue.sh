#!/usr/bin/env bash
# JavaScript, Visual Basic, Pascal, Java, AWK and C# from the file name, each
# with the colours the main window gives its highlighter on screen.
source "$(dirname "$0")/lib.sh"

cat >"$E2E_TMP/app.js" <<'JS'
/* the application's entry point, a comment over
   two lines */
window.onLoad = function () { return "greeting text here" + 12345; };
JS
cat >"$E2E_TMP/Module1.bas" <<'BAS'
' a module comment that is long enough to see
Dim Total As Integer: Total = 12345 + Len("a string of some length")
BAS
cat >"$E2E_TMP/unit1.pas" <<'PAS'
{ a brace comment that is long enough to see }
const Mask = $FFFF; Name = 'a string of some length';
asm MOV EAX, EBX end;
PAS
cat >"$E2E_TMP/Main.java" <<'JAVA'
/** Documentation of the class, long enough to see. */
public class Main { String s = "a string of some length"; int n = 12345; }
JAVA
cat >"$E2E_TMP/sum.awk" <<'AWK'
# sum the first field of every record of the input
{ total += $1 } END { print "the total of the first field", total, 12345 }
AWK
cat >"$E2E_TMP/Program.cs" <<'CS'
// the program's entry point, with a comment to see
class P { string S = "a string"; int n = 12345; }
CS

# file, Syntax item, class, colours that must be on screen
expect_language_rows catalogue \
  "app.js JavaScript1 TJScriptHighlighter 008000 FF0000 800000 000080" \
  "Module1.bas VB1 TVBHighlighter 008000 FF0000 800000" \
  "unit1.pas Pascal1 TPasHighlighter 000080 FF0000 008080" \
  "Main.java XML1 TJavaHighlighter 008000 0000FF FF0000 800000" \
  "sum.awk AWK1 TAWKHighlighter 0000FF 008080 800000" \
  "Program.cs C1 TCSHighlighter 008000 0000FF FF0000 000080"

# The same six picked from View > Syntax for a file without an extension.
# syntax_item N: the N-th item of View > Syntax (View is the fourth menu,
# Syntax its seventh item; Right opens the submenu on its first item).
syntax_item() {
  focus_app
  xdotool mousemove --window "$APP_WINDOW" 20 8 click 1
  sleep 0.3
  local i
  for ((i = 1; i < 4; i++)); do keys Right; done
  for ((i = 1; i < 7; i++)); do keys Down; done
  keys Right
  for ((i = 1; i < $1; i++)); do keys Down; done
  keys Return
}
printf 'begin end\n' >"$E2E_TMP/README"
start_app "$E2E_TMP/README"
expect_state highlighter -
for row in "4 Pascal1 TPasHighlighter" "6 XML1 TJavaHighlighter" "7 VB1 TVBHighlighter" "8 C1 TCSHighlighter" \
           "12 JavaScript1 TJScriptHighlighter" "19 AWK1 TAWKHighlighter"; do
  set -- $row
  syntax_item "$1"
  expect_state syntax "$2"
  expect_state highlighter "$3"
done
stop_app
echo "catalogue ok"
