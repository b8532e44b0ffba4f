#!/usr/bin/env bash
# Fails when a std-only library (toolkit outside toolkit/qt, textmodel, highlight, services,
# editor) includes a Qt header.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2
hits=$(grep -rnE '^\s*#\s*include\s*[<"]Q' src/toolkit src/textmodel src/highlight src/services src/editor \
         --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.cc' 2>/dev/null | grep -v '^src/toolkit/qt/')
if [ -n "$hits" ]; then
  echo "Qt headers in std-only libraries:"
  echo "$hits"
  exit 1
fi
echo "std-only libraries include no Qt header"
