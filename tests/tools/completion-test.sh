#!/usr/bin/env bash
# The bash completion of varnholt-report offers the manufacturers of the database named on the
# line, read from `--list --format json`, quoted for the shell. Stand-ins for the two helpers
# of the bash-completion package keep the test free of it.
# Usage: completion-test.sh COMPLETION_SCRIPT VARNHOLT_REPORT DATABASE
set -u
_init_completion() {
  words=("${COMP_WORDS[@]}")
  cword=$COMP_CWORD
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
}
_filedir() { :; }
source "$1"

complete_line() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _varnholt_report
  [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s|' "${COMPREPLY[@]}"
}

failures=0
expect() {
  if [[ $1 != "$2" ]]; then
    echo "expected: $2"
    echo "     got: $1"
    failures=$((failures + 1))
  fi
}
expect "$(complete_line "$2" --database "$3" --manufacturer 'Sample 6')" \
  'Sample\ 6-pin\ 0-9\ step\ 2|Sample\ 6-pin\ 1-10\ step\ 2|'
expect "$(complete_line "$2" "--database=$3" --manufacturer 'Sample I')" 'Sample\ IC\ core\ 7-pin|'
expect "$(complete_line "$2" --manufacturer '')" ''
expect "$(complete_line "$2" --format '')" 'pdf|text|json|csv|'
expect "$(complete_line "$2" --pa)" '--paper|'
[ "$failures" -eq 0 ] && echo "completion: all offers as expected"
[ "$failures" -eq 0 ]
