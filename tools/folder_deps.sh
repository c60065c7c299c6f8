#!/bin/sh
# Prints which source folder includes which: one line "FOLDER -> FOLDER"
# per pair, then the pairs that include each other. A folder is the path
# of a file without its name (calculator, calculator/window, plotter, ...);
# tests, benchmarks, fuzzers and tools are left out.
# Usage: tools/folder_deps.sh [REPOSITORY]   (default: the current folder)
cd "${1:-.}" || exit 2
git ls-files '*.h' '*.cpp' | grep -Ev '^(tests|bench|fuzz|tools)/' |
  while read -r file; do
    from=$(dirname "$file")
    sed -n 's/^#include "\([^"]*\)\/[^/"]*".*/\1/p' "$file" | while read -r to; do
      [ "$from" != "$to" ] && echo "$from -> $to"
    done
  done | sort -u > /tmp/folder_deps.$$
cat /tmp/folder_deps.$$
awk '{ edge[$1 " " $3] = 1 } END { for (e in edge) { split(e, p, " "); if ((p[2] " " p[1]) in edge && p[1] < p[2]) print "cycle: " p[1] " <-> " p[2] } }' /tmp/folder_deps.$$
rm -f /tmp/folder_deps.$$
