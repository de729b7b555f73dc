#!/bin/sh
# Memory running out while reading or working on the table: the run says so,
# exits with status 1 and writes nothing. Under ulimit -v: no sanitizer build.
# usage: memory_exhausted.sh TABSIFT
set -u
bin=$1 dir=$(mktemp -d) failed=0
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
# One line of 30 million cells: 60 MB of text, far more as cells.
python3 -c 'import gzip, sys; sys.stdout.buffer.write(gzip.compress(b"1 " * 30000000 + b"\n"))' > big.gz
awk 'BEGIN { for (i = 0; i < 100000; i++) print i, 1 }' > lines.dat
printf '1 2\n' > small.dat
printf 'old\n' > out.dat

run() {  # EXPECTED-STDERR ARGUMENTS...; standard input is big.gz
  expected=$1
  shift
  (ulimit -v 300000; exec "$bin" "$@") <big.gz >stdout 2>err
  status=$?
  if [ $status != 1 ] || [ "$expected" != "$(cat err)" ] ||
     [ "$(cat out.dat)" != old ] || [ -s stdout ]; then
    echo "FAIL $expected: status $status, stderr: $(cat err), out.dat: $(cat out.dat)"
    failed=1
  fi
}
run "tabsift: memory exhausted while reading input file 'big.gz'" \
  -i small.dat,big.gz -o out.dat -c s
run "read from stdin
tabsift: memory exhausted while reading standard input" -c s
# Two thousand sums on every line of 100000.
run "tabsift: memory exhausted while working on the table" \
  -i lines.dat --comments off -c "s$(printf ',s%.0s' $(seq 2000))"

# Streams that need more than the 292 MiB the address space allows are
# refused before their buffers are made; those within it are read. A zstd
# window of 2 TiB is past what any run can get.
printf '1 2\n' | zstd -q --long=31 > w31.zst
printf '1 2\n' | zstd -q --long=27 > w27.zst
printf '1 2\n' | xz --lzma2=dict=1536MiB > d1536.xz
printf '1 2\n' | xz -9e > x9e.xz
printf '\050\265\057\375\000\370\041\000\0001 2\n' > w41.zst
refused=" the run can get"
run "tabsift: memory exhausted while reading input file 'w31.zst': the zstd window needs more than the 292 MiB$refused" \
  -i small.dat,w31.zst -o out.dat -c s
run "tabsift: memory exhausted while reading input file 'd1536.xz': the xz stream needs 1537 MiB, more than the 292 MiB$refused" \
  -i small.dat,d1536.xz -o out.dat -c s
run "tabsift: memory exhausted while reading input file 'w41.zst': the zstd window needs more than the 292 MiB$refused" \
  -i w41.zst -o out.dat -c s
within=$( (ulimit -v 300000; exec "$bin" -i w27.zst,x9e.xz --comments off -c s) 2>&1)
if [ "$within" != "$(printf '1 2 3 \n\n1 2 3 \n\n')" ]; then
  echo "FAIL streams within the limit: $within"
  failed=1
fi
# One line of 100,000 cells among a million of one cell: blank filling
# would need 800 GB, which the run finds out at once.
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "1 "; print "";
             for (i = 0; i < 1000000; i++) print 1 }' > wide.dat
run "tabsift: memory exhausted while reading the input" -i wide.dat -o out.dat
exit $failed
