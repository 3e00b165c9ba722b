#!/usr/bin/env bash
# Installs the build tree into a scratch prefix and checks what a desktop and a
# package manager will see there: exactly the program and its desktop files,
# files the freedesktop validators accept, a man page that renders and names
# every option and variable the program's --help does, and a program that runs.
# Usage: installed_files.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=io.vantrel.Editor
desktop=share/applications/$id.desktop
metainfo=share/metainfo/$id.metainfo.xml
icon=share/icons/hicolor/scalable/apps/$id.svg
man=share/man/man1/vantrel.1
expected=$(printf '%s\n' bin/vantrel "$desktop" "$icon" "$metainfo" "$man" | sort)
# Anything more (a test program, a tool, a static library) would ship in the package.
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$actual" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

desktop-file-validate "$prefix/$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/$metainfo" >/dev/null || {
  appstreamcli validate --no-net "$prefix/$metainfo" >&2 || true
  fail "appstreamcli validate"
}

# The three files name each other; a mismatch leaves a menu entry without
# its icon, or a software centre entry that cannot start the program.
grep -qx "Icon=$id" "$prefix/$desktop" || fail "desktop Icon is not $id"
grep -qx 'Exec=vantrel %F' "$prefix/$desktop" || fail "desktop Exec"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/$metainfo" || fail "metainfo launchable"
grep -q "<id>$id</id>" "$prefix/$metainfo" || fail "metainfo id"

version=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/vantrel" --version) || fail "installed program does not run"
number=${version#Vantrel Editor }
[ -n "$number" ] && [ "$number" != "$version" ] || fail "unexpected --version output: $version"
grep -q "<release version=\"$number\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"" "$prefix/$metainfo" \
  || fail "metainfo release is not version $number"
grep -q "^\.TH VANTREL 1 .*$number" "$prefix/$man" || fail "man page title is not version $number"
grep -q '@[A-Z_]*@' "$prefix/$metainfo" "$prefix/$man" && fail "unsubstituted @VARIABLE@"

# The man page covers what --help lists, and the language variable besides.
help=$("$prefix/bin/vantrel" --help)
words=$(grep -oE -- '(^| |, )--?[a-z][a-z-]*|VANTREL_[A-Z]+' <<<"$help" | sed 's/^[ ,]*//' | sort -u)
words+=$'\nVANTREL_LANG\nvantrel.ini'
if command -v groff >/dev/null; then
  text=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -P-c -ww "$prefix/$man" 2>"$prefix/groff.err" | sed 's/.\x08//g')
  [ ! -s "$prefix/groff.err" ] || fail "groff warnings: $(cat "$prefix/groff.err")"
else
  echo "groff missing: checking the man source only" >&2
  text=$(sed 's/\\-/-/g' "$prefix/$man")
fi
while read -r word; do
  [ -n "$word" ] || continue
  grep -qF -- "$word" <<<"$text" || fail "man page does not mention $word"
done <<<"$words"
echo "ok: $(wc -l <<<"$expected") files installed and valid, version $number"
