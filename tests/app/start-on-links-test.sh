#!/usr/bin/env bash
# The program started where "Varnholt.MFG" is a link in a circle or a link to a share that is not
# mounted: it says why the folder cannot be used and ends with status 1, leaves no temporary file
# and never puts the sample in the link's place.
# Usage: start-on-links-test.sh VARNHOLT
set -u
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

# Starts the program in an empty folder with its data folder under $scratch/data; a program that
# opened its window instead would be ended by the timeout (status 124).
start() {
  mkdir -p "$scratch/start"
  (cd "$scratch/start" && XDG_DATA_HOME=$scratch/data HOME=$scratch QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR=$scratch timeout 10 "$program" "$@" >"$scratch/out" 2>"$scratch/err")
  echo $?
}
expect_refusal() { # STATUS REASON DESCRIPTION
  [[ $1 == 1 ]] || fail "$3: exit status $1, expected 1 ($(cat "$scratch/err"))"
  grep -q -- "$2" "$scratch/err" || fail "$3: \"$2\" not said: $(cat "$scratch/err")"
  grep -q "terminate" "$scratch/err" && fail "$3: aborted"
  leftovers=$(find "$scratch" -name '*.tmp' -o -name '.vh-*')
  [[ -z $leftovers ]] || fail "$3: left behind: $leftovers"
}

mkdir -p "$scratch/data/varnholt"
ln -s Varnholt.MFG "$scratch/data/varnholt/Varnholt.MFG"
status=$(start)
expect_refusal "$status" "cannot be used: .*Too many levels of symbolic links" "a looping link"
[[ $(readlink "$scratch/data/varnholt/Varnholt.MFG") == Varnholt.MFG ]] || fail "the looping link was changed"

rm "$scratch/data/varnholt/Varnholt.MFG"
ln -s "$scratch/share/Varnholt.MFG" "$scratch/data/varnholt/Varnholt.MFG"
status=$(start)
expect_refusal "$status" "is a link to \"$scratch/share/Varnholt.MFG\", which is missing" "a dangling link"
[[ -L $scratch/data/varnholt/Varnholt.MFG && ! -e $scratch/share ]] ||
  fail "the dangling link was replaced or its target created"

# The same entries in the folder the program starts in, or named by --folder, are its database.
rm "$scratch/data/varnholt/Varnholt.MFG"
mkdir -p "$scratch/start"
ln -s Varnholt.MFG "$scratch/start/Varnholt.MFG"
status=$(start)
expect_refusal "$status" "Too many levels of symbolic links" "a looping link in the start folder"
[[ ! -e $scratch/data/varnholt/Varnholt.MFG ]] || fail "the sample was placed although the start folder has a database"
status=$(start --folder "$scratch/start")
expect_refusal "$status" "Too many levels of symbolic links" "a looping link in --folder"

[ "$failures" -eq 0 ] && echo "start on links: refused as expected"
[ "$failures" -eq 0 ]
