#!/bin/sh
# Lists every tracked C++ source file that differs from what clang-format
# makes of it under the project's .clang-format; exit status 1 when one
# does. Outside a git checkout, every .cc and .h file below the root counts.
#
# usage: scripts/check-format.sh [ROOT]
cd "${1:-$(dirname "$0")/..}" || exit 2
command -v clang-format >/dev/null || { echo "clang-format not found" >&2; exit 2; }
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.cc' '*.h')
else
  files=$(find . -path ./build\* -prune -o \( -name '*.cc' -o -name '*.h' \) -print)
fi
status=0
for f in $files; do
  [ -f "$f" ] || continue
  if ! clang-format --style=file "$f" | cmp -s - "$f"; then
    echo "$f differs from clang-format (clang-format -i $f)"
    status=1
  fi
done
exit $status
