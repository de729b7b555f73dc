# bash completion for tabsift: options in short and long form, file names
# for input and output lists (after the last comma of a list too) and for
# the words that name input files, the words of --comments and the
# delimiters of -d (quoted for the shell), and nothing for values that are
# free text.

_tabsift() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  local prev=
  (( COMP_CWORD > 0 )) && prev=${COMP_WORDS[COMP_CWORD-1]}
  COMPREPLY=()

  # "--option=value" arrives as three words: option, "=", value.
  if [[ $cur == = ]]; then
    cur=
  elif [[ $prev == = ]] && (( COMP_CWORD > 1 )); then
    prev=${COMP_WORDS[COMP_CWORD-2]}
  fi

  # After "--" every word is a file name.
  local i
  for (( i = 1; i < COMP_CWORD; i++ )); do
    if [[ ${COMP_WORDS[i]} == -- ]]; then
      _tabsift_files "$cur"
      return 0
    fi
  done

  case $prev in
    -i|--input-files|-o|--output-files)
      _tabsift_files "$cur"
      return 0 ;;
    --comments)
      COMPREPLY=($(compgen -W 'off all 1' -- "$cur"))
      return 0 ;;
    -d|--delimiter)
      # ";" and "|" go in with a backslash, which the shell takes off.
      local word
      for word in , ';' '|' : tab; do
        [[ $word == "$cur"* ]] || continue
        [[ $word == [\;\|] ]] && word=\\$word
        COMPREPLY+=("$word")
      done
      return 0 ;;
    -f|--filter|-t|--tolerance|-c|--calculate|-g|--group|-p|--print|-s|--swap|--prec|-b|--blanks)
      return 0 ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '-h --help --tab -v --version --float --int
      -j --join -m --merge --col --decimal-comma -r --results --header
      -i --input-files -o --output-files
      -f --filter -t --tolerance -c --calculate -g --group -p --print
      -s --swap --comments --prec -b --blanks -d --delimiter --' -- "$cur"))
    return 0
  fi
  # Any other word names an input file.
  _tabsift_files "$cur"
}

# File names for the last item of a comma-separated list.
_tabsift_files() {
  local word=$1 head= item=$1
  if [[ $word == *,* ]]; then
    head=${word%,*},
    item=${word##*,}
  fi
  local IFS=$'\n' name
  compopt -o filenames 2>/dev/null
  for name in $(compgen -f -- "$item"); do
    COMPREPLY+=("$head$name")
  done
}

complete -F _tabsift tabsift
