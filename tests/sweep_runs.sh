# Sourced by the tests of the README's recipes of "A sweep on every core",
# with TABSIFT as $1: a scratch directory, removed on exit, holding tabsift
# on the PATH and 40 generated runs in runs/ (one without data lines, one
# narrower, one with a column without values, one with a cell that is not
# a number); $readme, and fail, which says a failure and counts it.
readme="$(dirname "$(realpath "$0")")/../README.md"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/runs"
ln -s "$(realpath "$1")" "$work/bin/tabsift"
PATH="$work/bin:$PATH"
cd "$work"
for i in $(seq 40); do
  awk -v i="$i" 'BEGIN { T = 200 + 50 * (i % 4); printf "# T = %d P = %d\n", T, 1 + i % 3
    for (k = 0; k < 25 * (i != 17); k++) {
      printf "%d %.2f", 100 * k, -1600 + 0.8 * T + ((k * 7919 + i * 104729) % 1000) / 100
      if (i != 9) printf " %s", (i == 5 && k == 3) || i == 23 ? "n/a" : sprintf("%.3f", 1 + ((k * 31 + i) % 97) / 1000)
      printf "\n" } }' > "runs/r$i.dat"
done
failures=0
fail() {
  printf '%s\n' "$*"
  failures=$((failures + 1))
}
