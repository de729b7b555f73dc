#!/bin/sh
# usage: parallel_recipe.sh TABSIFT. Runs the README's commands of "A sweep
# on every core" (verbatim) on 40 generated runs and checks that each with
# GNU parallel gives what one run gives: byte for byte, or with "lines" the
# same lines apart from empty ones. Skipped (77) without GNU parallel.
set -eu
command -v parallel >/dev/null 2>&1 || { echo "GNU parallel is not installed: skipped"; exit 77; }
readme="$(dirname "$(realpath "$0")")/../README.md"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/runs"
ln -s "$(realpath "$1")" "$work/bin/tabsift"
PATH="$work/bin:$PATH"
cd "$work"
for i in $(seq 40); do
  awk -v i="$i" 'BEGIN { T = 200 + 50 * (i % 4); printf "# T = %d P = %d\n", T, 1 + i % 3
    for (k = 0; k < 25 * (i != 17); k++)
      printf "%d %.2f %s\n", 100 * k, -1600 + 0.8 * T + ((k * 7919 + i * 104729) % 1000) / 100,
             (i == 5 && k == 3) ? "n/a" : sprintf("%.3f", 1 + ((k * 31 + i) % 97) / 1000) }' > "runs/r$i.dat"
done
failures=0
check() {
  for command in "$1" "$2"; do
    grep -qF -- "$command" "$readme" || { printf 'not in the README: %s\n' "$command"; failures=$((failures + 1)); }
  done
  for side in 1 2; do
    rm -f summary.dat
    eval "sh -c \"\$$side\"" > out$side 2>/dev/null
    if [ -f summary.dat ]; then mv summary.dat out$side; fi
    if [ "${3:-}" = lines ]; then sed -i '/^$/d' out$side; fi
  done
  [ -s out2 ] && cmp -s out1 out2 || { printf 'different results: %s\n' "$1"; failures=$((failures + 1)); }
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
