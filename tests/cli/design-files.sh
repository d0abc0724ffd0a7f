#!/usr/bin/env bash
# inlet-calc --open and --save out of process: a saved design opens to the same results,
# options typed over an opened design win, and a missing file, a file that is not a design,
# an unwritable target and a failing design each end as the help says.
# Usage: design-files.sh INLET_CALC
set -uo pipefail
calc=$1
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A saved design gives the same results when opened again, and keeps its texts.
"$calc" --hk 2000 --dd0 700.1 --theta 5 --save "$work/a.inlet" > "$work/saved.out" || fail "save: status $?"
"$calc" --open "$work/a.inlet" > "$work/opened.out" || fail "open: status $?"
cmp -s "$work/saved.out" "$work/opened.out" || fail "results differ after opening the saved design"
grep -q '"dd0": "700.1"' "$work/a.inlet" || fail "the text of dd0 is not kept as typed"

# Options are typed over the opened design's texts.
[ "$("$calc" --open "$work/a.inlet" --dd0 800 | grep $'^a2\t')" = $'a2\t1100' ] || fail "--dd0 800 did not override the file"

# A missing file and a file that is not a design: usage errors naming the file.
"$calc" --open "$work/missing.inlet" > /dev/null 2> "$work/err"; status=$?
[ $status -eq 2 ] || fail "missing file: status $status"
grep -q "cannot open '$work/missing.inlet'" "$work/err" || fail "missing file: $(cat "$work/err")"
echo "not json" > "$work/bad.inlet"
"$calc" --open "$work/bad.inlet" > /dev/null 2> "$work/err"; status=$?
[ $status -eq 2 ] || fail "bad file: status $status"
grep -q "bad.inlet' is not JSON" "$work/err" || fail "bad file: $(cat "$work/err")"

# An unwritable target: status 1, the reason, no file; an existing design stays whole.
"$calc" --hk 2000 --save "$work/no/such/folder/x.inlet" > /dev/null 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "unwritable target: status $status"
grep -q "cannot save design file" "$work/err" || fail "unwritable target: $(cat "$work/err")"
[ ! -e "$work/no" ] || fail "a folder was created"
cp "$work/a.inlet" "$work/kept.inlet"
"$calc" --save "$work/a.inlet/inside" > /dev/null 2>&1
cmp -s "$work/a.inlet" "$work/kept.inlet" || fail "a failed save changed another design"

# A failing design is still saved as typed, and opening it fails in the same place.
"$calc" --hk "" --save "$work/failing.inlet" > "$work/failing.out" 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "failing design: status $status"
[ -s "$work/failing.inlet" ] || fail "failing design: not saved"
"$calc" --open "$work/failing.inlet" > "$work/reopened.out" 2> "$work/err2"; status=$?
[ $status -eq 1 ] || fail "reopened failing design: status $status"
cmp -s "$work/err" "$work/err2" || fail "the reopened design fails otherwise: $(cat "$work/err2")"

[ $failures -eq 0 ] && echo "design files: all passed"
exit $((failures > 0))
