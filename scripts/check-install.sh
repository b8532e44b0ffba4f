#!/usr/bin/env bash
# Installs the build in BUILD into a temporary PREFIX and checks what a desktop needs of it: the
# program answering through PREFIX/bin, its launchers and help page beside it, the icon, and a
# desktop entry that desktop-file-validate accepts, that starts the installed program with the
# chosen files and that opens XML and XSLT files (.xml, .xsl, .xslt).
set -euo pipefail
build=${1:?usage: check-install.sh BUILD}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "check-install: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in lib/quillon/quillon lib/quillon/saxon lib/quillon/xsltproc; do
  [ -x "$prefix/$file" ] || fail "$file is missing or not executable"
done
[ -f "$prefix/lib/quillon/readme.htm" ] || fail "readme.htm is missing"
[ -f "$prefix/share/icons/hicolor/64x64/apps/quillon.png" ] || fail "the icon is missing"
[ -L "$prefix/bin/quillon" ] || fail "bin/quillon is not a link to the program"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quillon" --version) || fail "bin/quillon --version failed"
[ "$version" = "Quillon 1.0" ] || fail "bin/quillon --version said '$version'"

desktop="$prefix/share/applications/quillon.desktop"
[ -f "$desktop" ] || fail "the desktop entry is missing"
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is not installed (desktop-file-utils)"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
grep -qx "Exec=$prefix/bin/quillon %F" "$desktop" || fail "the entry does not start $prefix/bin/quillon with the files"
grep -qx "Icon=quillon" "$desktop" || fail "the entry does not name the icon"
# .xml is application/xml; .xsl and .xslt are application/xslt+xml in the shared MIME database.
for type in application/xml application/xslt+xml; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "the entry does not open $type"
done
echo "check-install: installed and checked under $prefix"
