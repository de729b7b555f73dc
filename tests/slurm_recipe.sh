#!/bin/sh
# usage: slurm_recipe.sh TABSIFT. Runs the README's Slurm recipe of "A sweep
# on every core" without Slurm on the runs of sweep_runs.sh: its two
# scripts, taken from the README as they stand there, the array task once
# for every task id (16 tasks, and 64, more than there are files), then the
# combining step. Compares with one run over all files:
# per-file.dat byte for byte; of all-files.dat the count, lowest and highest
# byte for byte, and the sum, average and deviation, which combine rounded
# per-file results, to a relative 1e-12.
set -eu
. "$(dirname "$0")/sweep_runs.sh"
# The indented block that follows the README line starting with `NAME`.
script() {
  awk -v name="\`$1\`" 'index($0, name) == 1 { on = 1; next }
    on && /^    / { sub(/^    /, ""); print; seen = 1; next }
    seen && NF { exit }' "$readme" > "$1"
  [ -s "$1" ] || fail "no script $1 in the README"
}
script sweep-slice.sh
script sweep-combine.sh
for command in "printf '%s\\n' runs/*.dat > runs.list" \
    "job=\$(sbatch --parsable --array=0-15 sweep-slice.sh)" \
    "sbatch --dependency=afterok:\$job sweep-combine.sh 16" \
    "tabsift runs/*.dat --comments off --prec 17 -r --col -c c,s,a,d,l,h" \
    "tabsift runs/*.dat --comments off --prec 17 -j -r --col -c c,s,a,d,l,h"; do
  grep -qF -- "$command" "$readme" || fail "not in the README: $command"
done
printf '%s\n' runs/*.dat > runs.list
tabsift runs/*.dat --comments off --prec 17 -r --col -c c,s,a,d,l,h > per-file.want 2>/dev/null
tabsift runs/*.dat --comments off --prec 17 -j -r --col -c c,s,a,d,l,h > all-files.want 2>/dev/null
for tasks in 16 64; do
  rm -f part-*.dat per-file.dat all-files.dat
  i=0
  while [ "$i" -lt "$tasks" ]; do
    SLURM_ARRAY_TASK_ID=$i SLURM_ARRAY_TASK_COUNT=$tasks sh sweep-slice.sh 2>>log ||
      fail "$tasks tasks: task $i failed"
    i=$((i + 1))
  done
  sh sweep-combine.sh "$tasks" 2>>log || fail "$tasks tasks: the combining step failed"
  cmp -s per-file.dat per-file.want || fail "$tasks tasks: per-file.dat differs"
  # Lines 1, 5 and 6 the same text, lines 2 to 4 cell by cell: the same text
  # or numbers within the tolerance (a NaN is never within it).
  awk 'NR == FNR { want[FNR] = $0; next }
    FNR == 1 || FNR >= 5 { bad = bad || $0 != want[FNR]; next }
    { bad = bad || split(want[FNR], w) != NF
      for (j = 1; j <= NF; j++)
        bad = bad || $j != w[j] && ($j == "--" || w[j] == "--" || !(($j - w[j]) ^ 2 <= (1e-12 * w[j]) ^ 2)) }
    END { exit bad || FNR != 6 }' all-files.want all-files.dat ||
    fail "$tasks tasks: all-files.dat differs: $(cat all-files.dat) instead of $(cat all-files.want)"
done
echo "2 array sizes, $failures failures"
[ "$failures" -eq 0 ]
