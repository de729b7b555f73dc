#!/bin/sh
# usage: parallel_recipe.sh TABSIFT. Runs the README's commands of "A sweep
# on every core" (verbatim) on the runs of sweep_runs.sh and checks that
# each with GNU parallel gives what one run gives: byte for byte, or with
# "lines" the same lines apart from empty ones. Skipped (77) without GNU parallel.
set -eu
command -v parallel >/dev/null 2>&1 || { echo "GNU parallel is not installed: skipped"; exit 77; }
. "$(dirname "$0")/sweep_runs.sh"
check() {
  for command in "$1" "$2"; do
    grep -qF -- "$command" "$readme" || fail "not in the README: $command"
  done
  for side in 1 2; do
    rm -f summary.dat
    eval "sh -c \"\$$side\"" > out$side 2>/dev/null
    if [ -f summary.dat ]; then mv summary.dat out$side; fi
    if [ "${3:-}" = lines ]; then sed -i '/^$/d' out$side; fi
  done
  [ -s out2 ] && cmp -s out1 out2 || fail "different results: $1"
}
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c a,e,l,h > summary.dat" \
      "tabsift runs/*.dat --comments off -r --col -c a,e,l,h > summary.dat"
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c a,e -p T,2 | sed '/^\$/d'" \
      "tabsift runs/*.dat --comments off -r --col -c a,e -p T,2 | sed '/^\$/d'"
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c l | tabsift --comments off -r --col -c l" \
      "tabsift runs/*.dat --comments off -j -r --col -c l" lines
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -f 2,gt-1350 | tabsift --comments off -r --col -c m" \
      "tabsift runs/*.dat --comments off -f 2,gt-1350 -r --col -c m"
echo "4 recipes, $failures failures"
[ "$failures" -eq 0 ]
