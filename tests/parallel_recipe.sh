#!/bin/sh
# Runs the commands of the README's section "A sweep on every core" on
# generated runs and checks that each command with GNU parallel gives what
# its one-run counterpart gives. Every command must stand verbatim in the
# README. Without GNU parallel the test is skipped (status 77).
#
# usage: parallel_recipe.sh TABSIFT
set -eu

tabsift=$(realpath "$1")
readme="$(dirname "$(realpath "$0")")/../README.md"
if ! command -v parallel >/dev/null 2>&1; then
  echo "GNU parallel is not installed: skipped"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/runs"
ln -s "$tabsift" "$work/bin/tabsift"
PATH="$work/bin:$PATH"
cd "$work"

# 40 runs at four temperatures: a step column, an energy that grows with T
# and a pressure; one run has no data line, one a value that is not a number.
i=1
while [ $i -le 40 ]; do
  awk -v i=$i 'BEGIN {
    T = 200 + 50 * (i % 4)
    printf "# run %d\n# T = %d P = %d\n", i, T, 1 + i % 3
    if (i == 17) exit
    for (k = 0; k < 25; k++)
      printf "%d %.2f %s\n", 100 * k, -1600 + 0.8 * T + ((k * 7919 + i * 104729) % 1000) / 100,
             (i == 5 && k == 3) ? "n/a" : sprintf("%.3f", 1 + ((k * 31 + i) % 97) / 1000)
  }' > "runs/r$i.dat"
  i=$((i + 1))
done

failures=0
n=0
# check PARALLEL_COMMAND ONE_RUN_COMMAND [lines]: the same output byte for
# byte, or with "lines" the same lines apart from empty ones.
check() {
  n=$((n + 1))
  for command in "$1" "$2"; do
    if ! grep -qF -- "$command" "$readme"; then
      printf 'not in the README: %s\n' "$command"
      failures=$((failures + 1))
    fi
  done
  rm -f summary.dat
  sh -c "$1" > parallel.out 2>/dev/null
  if [ -f summary.dat ]; then mv summary.dat parallel.out; fi
  sh -c "$2" > one.out 2>/dev/null
  if [ -f summary.dat ]; then mv summary.dat one.out; fi
  if [ "${3:-}" = lines ]; then
    sed -i '/^$/d' parallel.out one.out
  fi
  if [ ! -s one.out ] || ! cmp -s parallel.out one.out; then
    printf 'different results (%d): %s\n' $n "$1"
    diff parallel.out one.out | head -5
    failures=$((failures + 1))
  fi
}

check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c a,e,l,h > summary.dat" \
      "tabsift runs/*.dat --comments off -r --col -c a,e,l,h > summary.dat"
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c a,e -p T,2 | sed '/^\$/d'" \
      "tabsift runs/*.dat --comments off -r --col -c a,e -p T,2 | sed '/^\$/d'"
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -r --col -c l | tabsift --comments off -r --col -c l" \
      "tabsift runs/*.dat --comments off -j -r --col -c l" lines
check "printf '%s\\n' runs/*.dat | parallel -k tabsift -i {} --comments off -f 2,gt-1350 | tabsift --comments off -r --col -c m" \
      "tabsift runs/*.dat --comments off -f 2,gt-1350 -r --col -c m"

echo "$n recipes, $failures failures"
[ $failures -eq 0 ]
