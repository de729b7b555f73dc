#!/bin/bash
# What the bash completion of tabsift offers, in a directory of known files.
# usage: completion_test.sh COMPLETION-FILE TABSIFT
set -u
export LC_ALL=C
source "$1" || exit 1
# Every option of the help text, in short and long form, and "--".
options=$("$2" --help | grep -oE '^  (-[a-z] \[ --[a-z-]+ \]|--[a-z-]+)' |
  tr -d '[]' | tr -s ' ' '\n' | grep . | sort | paste -sd ' ')
[[ -n $options ]] || { echo "FAIL: no options in the help text"; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
touch a.dat a.gz b.dat && mkdir sub
failed=0

# expect "COMMAND LINE" "EXPECTED OFFERS" : the line is completed at its end;
# a trailing blank starts an empty word. Offers are compared sorted.
expect() {
  read -ra COMP_WORDS <<< "$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 )) COMP_LINE=$1 COMP_POINT=${#1}
  _tabsift
  local actual
  actual=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')
  [[ $actual == "$2" ]] || { echo "FAIL '$1': expected '$2', got '$actual'"; failed=1; }
}

expect "tabsift --in" "--input-files --int"
expect "tabsift -" "$(printf '%s\n' $options -- | sort | paste -sd ' ')"
expect "tabsift --input-files " "a.dat a.gz b.dat sub"
expect "tabsift -i a.dat,b" "a.dat,b.dat"
expect "tabsift -c s -i a.dat b" "b.dat"
expect "tabsift --comments " "1 all off"
expect "tabsift --comments = o" "off"
expect "tabsift -d " ', : \; \| tab'
expect "tabsift --delimiter = t" "tab"
expect "tabsift --de" "--decimal-comma --delimiter"
expect "tabsift -p T,1 --blanks " ""
expect "tabsift -c s -- -" ""

exit $failed
