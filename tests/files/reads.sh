#!/usr/bin/env bash
# What the engineer names as a file is read without hanging: a FIFO nothing writes to, a device
# that never ends and a pipe that gives too much are each refused with a message saying which,
# within a few seconds; a pipe (/dev/stdin) that gives a design or a batch is read as before.
# Also the command line's other edges: a batch row that is not UTF-8, a format version beyond
# any integer, Qt's own options.
# Usage: reads.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

"$calc" --hk 2000 --save "$work/design.inlet" > /dev/null || fail "inlet-calc --save"
mkfifo "$work/f.inlet" "$work/f.csv"

# expect NAME STATUS MESSAGE COMMAND...: the command ends within 20 s with STATUS, MESSAGE on
# standard error.
expect() {
    local name=$1 status=$2 message=$3
    shift 3
    timeout 20 "$@" > /dev/null 2> "$work/err" < /dev/null; local got=$?
    [ $got -eq 124 ] && { fail "$name: still waiting after 20 s"; return; }
    [ $got -eq "$status" ] || fail "$name: status $got: $(cat "$work/err")"
    grep -qF -- "$message" "$work/err" || fail "$name: $(cat "$work/err")"
}
expect "FIFO, inlet-calc" 2 "nothing arrived from '$work/f.inlet' within 5 s" "$calc" --open "$work/f.inlet"
expect "FIFO, inlet --export" 1 "nothing arrived from '$work/f.inlet' within 5 s" \
    "$inlet" --export "$work/x.pdf" "$work/f.inlet"
expect "FIFO, a batch" 2 "nothing arrived from '$work/f.csv' within 5 s" "$calc" --csv "$work/f.csv"
expect "a device" 2 "'/dev/zero' is a device, not a file" "$calc" --open /dev/zero
expect "a folder" 2 "'$work' is a folder, not a file" "$calc" --open "$work"
[ -e "$work/x.pdf" ] && fail "a sheet was written from a FIFO"

# A pipe that gives more than a design may hold.
yes | timeout 20 "$calc" --open /dev/stdin > /dev/null 2> "$work/err"
grep -qF "'/dev/stdin' gives more than 16777216 bytes, more than a design file holds" "$work/err" ||
    fail "yes: $(cat "$work/err")"

# Pipes that give a design and a batch, as before.
cat "$work/design.inlet" | "$calc" --open /dev/stdin | grep -qx $'B\t6355' || fail "a design from a pipe"
(sleep 1; printf 'hk\n2000\n' > "$work/f.csv") &
"$calc" --csv "$work/f.csv" | grep -q ',6355,$' || fail "a batch from a FIFO written to later"
wait

# A batch row that is not UTF-8 is an error row naming its line; the batch goes on.
out=$(printf 'hk,aa\n2000,5\xe9\n2000,50\n' | "$calc" --csv); status=$?
[ $status -eq 0 ] || fail "not UTF-8: status $status"
[ "$(sed -n 2p <<< "$out")" = ",,,,,,,,,,,,,,,,,,,,,,,,,,line 2 is not UTF-8 text" ] || fail "not UTF-8: $out"
sed -n 3p <<< "$out" | grep -q '^2000,50,.*,6355,$' || fail "not UTF-8, the next row: $out"

# A format version beyond any integer is newer, not unreadable.
sed 's/"formatVersion": "1\.[0-9]*"/"formatVersion": "99999999999.0"/' "$work/design.inlet" > "$work/future.inlet"
expect "a future version" 2 "has format version 99999999999.0, newer than the 1.x this program reads" \
    "$calc" --open "$work/future.inlet"

# Qt's own options are Qt's: taken with the window's, and with --export or --version.
"$inlet" -platform offscreen --export "$work/q.svg" "$work/design.inlet" 2> "$work/err" ||
    fail "-platform offscreen: $(cat "$work/err")"
"$inlet" -session 1234abcd -style Fusion --version > "$work/out" 2> "$work/err" || fail "-session: $(cat "$work/err")"
head -1 "$work/out" | grep -q '^inlet ' || fail "-session --version: $(cat "$work/out")"

[ $failures -eq 0 ] && echo "reads: all passed"
exit $((failures > 0))
