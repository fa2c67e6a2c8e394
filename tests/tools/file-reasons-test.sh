#!/usr/bin/env bash
# varnholt-report on files that cannot be read or written, and on a hostile system file: each
# failure says the system's own reason and ends with status 1; a refusal ends with status 2, soon.
# Usage: file-reasons-test.sh VARNHOLT_REPORT DATABASE
set -u
command=$1
database=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}
system=(--database "$database" --manufacturer "Sample 6-pin 0-9 step 2" --chambers 6 --master-key 246135
  --keys 3 --format text)
run() { # runs the command, its messages into $scratch/err; prints the status
  "$@" >/dev/null 2>"$scratch/err"
  echo $?
}
expect() { # STATUS EXPECTED-STATUS MESSAGE-PATTERN DESCRIPTION
  [[ $1 == "$2" ]] || fail "$4: exit status $1, expected $2"
  grep -q -- "$3" "$scratch/err" || fail "$4: \"$3\" not said: $(cat "$scratch/err")"
}

"$command" "${system[@]}" --save-system "$scratch/good.varnholt" >/dev/null || exit 1

# One object of 131,000 members: within the size limit, refused at once.
awk 'BEGIN {
  letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
  printf "{\"format\": \"varnholt-system\", \"version\": 1"
  for (i = 0; i < 131000; ++i)
    printf ",\"%s%s%s\":0", substr(letters, int(i / 3844) % 62 + 1, 1), substr(letters, int(i / 62) % 62 + 1, 1),
      substr(letters, i % 62 + 1, 1)
  printf ",\"aaa\":0}\n"
}' >"$scratch/hostile.varnholt"
size=$(stat -c %s "$scratch/hostile.varnholt")
((size <= 1048576)) || fail "the hostile file is $size bytes, more than a system file may have"
start=$(date +%s%N)
status=$(run timeout 20 "$command" --system "$scratch/hostile.varnholt")
milliseconds=$((($(date +%s%N) - start) / 1000000))
echo "a hostile system file of $size bytes refused in $milliseconds ms"
expect "$status" 2 'an object has more than 256 members' "the hostile file"
((milliseconds < 1000)) || fail "the hostile file took $milliseconds ms"

# Read as another user: root reads anything, so the command runs as nobody there.
cp "$scratch/good.varnholt" "$scratch/private.varnholt"
chmod 600 "$scratch/private.varnholt"
as_other=()
if [[ $(id -u) == 0 ]]; then
  as_other=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod 000 "$scratch/private.varnholt"
fi
status=$(run "${as_other[@]}" "$command" --system "$scratch/private.varnholt")
expect "$status" 1 "cannot be opened: Permission denied" "a system file without read permission"

ln -s loop.varnholt "$scratch/loop.varnholt"
status=$(run "$command" --system "$scratch/loop.varnholt")
expect "$status" 1 "cannot be opened: Too many levels of symbolic links" "a system file that is a looping link"

status=$("$command" "${system[@]}" --output /dev/stdout 2>"$scratch/err" | cat >/dev/null; echo "${PIPESTATUS[0]}")
expect "$status" 1 '"/dev/stdout": it is a device, pipe or other special file' "--output /dev/stdout on a pipe"

# A full disk, where a file system can be mounted in a namespace of the test's own.
if unshare --mount true 2>/dev/null; then
  mkdir "$scratch/full"
  unshare --mount bash -c '
    mount -t tmpfs -o size=64k tmpfs "$1" || exit 3
    dd if=/dev/zero of="$1/filler" bs=1k count=62 2>/dev/null
    "${@:2}" --save-system "$1/office.varnholt" >/dev/null 2>"$1.err"
    echo $? >"$1.status"
    ls -A "$1" >"$1.left"' full "$scratch/full" "$command" "${system[@]}"
  if [[ -f $scratch/full.status ]]; then
    cp "$scratch/full.err" "$scratch/err"
    expect "$(cat "$scratch/full.status")" 1 "No space left on device" "saving a system onto a full disk"
    [[ $(cat "$scratch/full.left") == filler ]] || fail "left on the full disk: $(cat "$scratch/full.left")"
  else
    echo "no file system could be mounted: the full disk is not tried"
  fi
else
  echo "no mount namespace: the full disk is not tried"
fi

[ "$failures" -eq 0 ] && echo "file reasons: all as expected"
[ "$failures" -eq 0 ]
