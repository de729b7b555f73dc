#!/bin/sh
# Memory running out while an input is read: the run names the input, exits
# with status 1 and writes nothing, so an existing output file stays as it
# was. The address space is limited with ulimit, which a sanitizer build
# cannot run under, so CMake registers this test only without sanitizers.
# usage: memory_exhausted.sh TABSIFT
set -u
bin=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1

# One line of 30 million cells: 60 MB of text, far more as cells.
python3 -c 'import gzip, sys; sys.stdout.buffer.write(gzip.compress(b"1 " * 30000000 + b"\n"))' > big.gz
printf '1 2\n' > small.dat
printf 'old\n' > out.dat
failed=0

check() {  # NAME EXPECTED-STATUS ACTUAL-STATUS EXPECTED-STDERR
  if [ "$2" != "$3" ] || [ "$4" != "$(cat err)" ] || [ "$(cat out.dat)" != old ] ||
     [ -s stdout ]; then
    echo "FAIL $1: status $3, stderr: $(cat err), out.dat: $(cat out.dat)"
    failed=1
  fi
}

(ulimit -v 300000; exec "$bin" -i small.dat,big.gz -o out.dat -c s) >stdout 2>err
check "compressed file" 1 $? "tabsift: memory exhausted while reading input file 'big.gz'"

gzip -dc big.gz > big.dat
(ulimit -v 300000; exec "$bin" -i big.dat -o out.dat) >stdout 2>err
check "plain file" 1 $? "tabsift: memory exhausted while reading input file 'big.dat'"

(ulimit -v 300000; exec "$bin" -c s) <big.gz >stdout 2>err
check "standard input" 1 $? "read from stdin
tabsift: memory exhausted while reading standard input"

exit $failed
