#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks it:
# the control fields, the file list, and that the program unpacked from it runs.
# Usage: scripts/build-deb.sh BUILD_DIR     (prints the package's path last)
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "build-deb: $*" >&2; exit 1; }

rm -f "$build"/vantrel_*.deb
log=$(cd "$build" && cpack -G DEB 2>&1) || { echo "$log" >&2; fail "cpack failed"; }
debs=("$build"/vantrel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

depends=$(dpkg-deb -f "$deb" Depends)
# An empty or Qt-less Depends means dpkg-shlibdeps did not run or found nothing.
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks libqt6widgets6: $depends"
grep -q 'libc6' <<<"$depends" || fail "Depends lacks libc6: $depends"
grep -q 'qt6-qpa-plugins' <<<"$depends" || fail "Depends lacks qt6-qpa-plugins: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = editors ] || fail "Section is not editors"

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/vantrel ./usr/share/applications/io.vantrel.Editor.desktop \
    ./usr/share/icons/hicolor/scalable/apps/io.vantrel.Editor.svg \
    ./usr/share/metainfo/io.vantrel.Editor.metainfo.xml ./usr/share/man/man1/vantrel.1; do
  grep -q " $path\$" <<<"$contents" || fail "package lacks $path"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
version=$("$root/usr/bin/vantrel" --version) || fail "the unpacked program does not run"
[ "$version" = "Vantrel Editor $(dpkg-deb -f "$deb" Version)" ] || fail "version mismatch: $version"

echo "build-deb: $(basename "$deb"), Depends: $depends" >&2
echo "$deb"
