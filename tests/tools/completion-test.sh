#!/usr/bin/env bash
# The bash completion of varnholt-report offers the manufacturers of the database named on the
# line, read from `--list --format json`, quoted for the shell. Stand-ins for the two helpers
# of the bash-completion package keep the test free of it. A database is a file people send
# each other: names holding shell syntax are offered as they are and run nothing.
# Usage: completion-test.sh COMPLETION_SCRIPT VARNHOLT_REPORT DATABASE MAKE_SAMPLE_DATABASE
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

hostile=$(mktemp -d)
trap 'rm -rf "$hostile"' EXIT
cat >"$hostile/names.csv" <<'NAMES'
Acme $(touch ran-dollar);5;6;0;9;7;1;;;
Acme `touch ran-backtick`;5;6;0;9;7;1;;;
Acme back\slash "double" 'single';5;6;0;9;7;1;;;
Acme * ${HOME} ~;5;6;0;9;7;1;;;
Bolt;5;6;0;9;7;1;;;
NAMES
"$4" "$hostile/names.csv" "$hostile/hostile.MFG" || exit 1
# What the shell makes of each offer once it is on the line.
offered_names() {
  local reply name
  complete_line "$2" --database hostile.MFG --manufacturer "$1" >/dev/null
  for reply in "${COMPREPLY[@]}"; do
    eval "name=$reply"
    printf '%s|' "$name"
  done
}
cd "$hostile" || exit 1
expect "$(offered_names '' "$2")" "$(sed 's/;.*/|/' names.csv | tr -d '\n')"
expect "$(offered_names 'Acme\ \`' "$2")" 'Acme `touch ran-backtick`|'
expect "$(offered_names "'Acme b" "$2")" "Acme back\\slash \"double\" 'single'|"
expect "$(offered_names 'B' "$2")" 'Bolt|'
expect "$(ls)" "$(printf 'hostile.MFG\nnames.csv')"
cd - >/dev/null || exit 1
[ "$failures" -eq 0 ] && echo "completion: all offers as expected"
[ "$failures" -eq 0 ]
