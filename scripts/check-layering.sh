#!/usr/bin/env bash
# Checks that dependencies point one way:
#   toolkit <- textmodel <- services <- highlight <- editor <- editor/qt <- dialogs <- app
#   toolkit <- toolkit/qt <- editor/qt
# (highlight/xmldef, the shipped definition's bytes, depends on nothing and sits with highlight.)
#  1. The std-only libraries (toolkit, textmodel, services, highlight, editor, each without its
#     qt/ folder) include no Qt header.
#  2. A library includes headers only of itself and of the libraries below it.
#  3. A library links (quillon_library / target_link_libraries in its CMakeLists.txt) only the
#     libraries below it.
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

# Library of each source folder, and the libraries each may use.
declare -A lib_of=(
  [src/toolkit]=toolkit [src/toolkit/qt]=toolkit_qt [src/textmodel]=textmodel
  [src/services]=services [src/highlight]=highlight [src/highlight/xmldef]=xmldef
  [src/editor]=editor [src/editor/qt]=editor_qt [src/dialogs]=dialogs [src/app]=app
)
declare -A below=(
  [toolkit]=""
  [toolkit_qt]="toolkit"
  [textmodel]="toolkit"
  [services]="textmodel toolkit"
  [xmldef]=""
  [highlight]="services textmodel toolkit xmldef"
  [editor]="highlight services textmodel toolkit xmldef"
  [editor_qt]="editor toolkit_qt highlight services textmodel toolkit xmldef"
  [dialogs]="editor_qt editor toolkit_qt highlight services textmodel toolkit xmldef"
  [app]="dialogs editor_qt editor toolkit_qt highlight services textmodel toolkit xmldef"
)

# The library a project include path belongs to ("editor/qt/X.h" -> editor_qt).
include_lib() {
  case "$1" in
    toolkit/qt/*) echo toolkit_qt ;;
    editor/qt/*) echo editor_qt ;;
    highlight/xmldef/*) echo xmldef ;;
    */*) local top=${1%%/*}; [ -n "${below[$top]+x}" ] && echo "$top" ;;
  esac
}

allowed() {  # allowed LIB USED
  [ "$1" = "$2" ] && return 0
  local b
  for b in ${below[$1]}; do [ "$b" = "$2" ] && return 0; done
  return 1
}

failed=0
report() {
  echo "$1"
  failed=1
}

for dir in "${!lib_of[@]}"; do
  [ -d "$dir" ] || continue
  lib=${lib_of[$dir]}
  # Sources of this folder only: a nested library folder is checked on its own.
  files=$(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \))
  [ -n "$files" ] || continue
  case $lib in
    toolkit|textmodel|services|highlight|editor|xmldef)
      hits=$(grep -nHE '^\s*#\s*include\s*[<"]Q' $files)
      [ -n "$hits" ] && report "Qt headers in the std-only library $lib:"$'\n'"$hits"
      ;;
  esac
  while IFS= read -r line; do
    [ -n "$line" ] || continue
    path=$(sed -E 's/.*#\s*include\s*"([^"]+)".*/\1/' <<<"$line")
    used=$(include_lib "$path")
    [ -n "$used" ] || continue
    allowed "$lib" "$used" || report "$lib may not use $used: $line"
  done < <(grep -nHE '^\s*#\s*include\s*"[^"]+/' $files)
  if [ -f "$dir/CMakeLists.txt" ]; then
    deps=$(grep -hoE "(quillon_library|target_link_libraries)\(\s*$lib\s[^)]*\)" "$dir/CMakeLists.txt" |
           sed -E 's/^[a-z_]+\(\s*[a-z_]+//; s/\)$//; s/\b(PUBLIC|PRIVATE|INTERFACE)\b//g')
    for dep in $deps; do
      [ -n "${below[$dep]+x}" ] || continue  # Qt and other outside libraries
      allowed "$lib" "$dep" || report "$lib may not link $dep ($dir/CMakeLists.txt)"
    done
  fi
done

[ $failed -eq 0 ] && echo "libraries use only the libraries below them; std-only libraries include no Qt header"
exit $failed
