#!/usr/bin/env bash
# inlet-calc writes the solid as STEP and STL where the design has one, and where it has none
# or the file cannot be written, writes nothing, says why and exits 1.
# Usage: solid-files.sh INLET_CALC
set -euo pipefail
calc=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$calc" --hk 2000 --step "$dir/p.step" --stl "$dir/p.stl" --checks > "$dir/out" || fail "a design with a solid exits $?"
head -c 13 "$dir/p.step" | grep -q 'ISO-10303-21;' || fail "the STEP file is not STEP"
for wall in inlet outlet floor outer_wall roof bell guide_cone; do
    grep -q "^solid $wall\$" "$dir/p.stl" || fail "the STL has no region $wall"
    grep -q "ADVANCED_FACE('$wall'" "$dir/p.step" || fail "the STEP names no face $wall"
done
grep -q $'^check\tfluid-volume\tV\t111\\.' "$dir/out" || fail "--checks gives no fluid volume: $(cat "$dir/out")"
grep -q '^a1' "$dir/out" || fail "the results are not printed"

# No solid: the results are printed, the condition named, nothing written.
status=0
"$calc" --hk 1300 --step "$dir/q.step" --stl "$dir/q.stl" > "$dir/out" 2> "$dir/err" || status=$?
[ "$status" -eq 1 ] || fail "a design without a solid exits $status"
grep -q 'hk 1300 mm is not above the tangent point' "$dir/err" || fail "the condition is not named: $(cat "$dir/err")"
[ ! -e "$dir/q.step" ] && [ ! -e "$dir/q.stl" ] || fail "a design without a solid wrote a file"
grep -q '^B	' "$dir/out" || fail "the results of a design without a solid are not printed"

# A file that cannot be written: status 1, the old file kept, nothing left beside it.
mkdir "$dir/ro" && echo old > "$dir/ro/p.step" && chmod a-w "$dir/ro"
if [ "$(id -u)" -ne 0 ]; then
    status=0
    "$calc" --hk 2000 --step "$dir/ro/p.step" > /dev/null 2> "$dir/err" || status=$?
    [ "$status" -eq 1 ] || fail "an unwritable STEP exits $status"
    grep -q "cannot write '$dir/ro/p.step'" "$dir/err" || fail "the failure is not named: $(cat "$dir/err")"
    [ "$(cat "$dir/ro/p.step")" = old ] && [ "$(ls "$dir/ro")" = p.step ] || fail "the old file was not kept whole"
fi
status=0
"$calc" --hk 2000 --stl "$dir/missing/p.stl" > /dev/null 2> "$dir/err" || status=$?
[ "$status" -eq 1 ] || fail "an STL in a missing folder exits $status"
grep -q "cannot write '$dir/missing/p.stl'" "$dir/err" || fail "the failure is not named: $(cat "$dir/err")"

# Options that go with others.
for args in "--stl-binary" "--step-walls" "--length abc --step x.step" "--csv --step x.step"; do
    status=0
    # shellcheck disable=SC2086
    "$calc" --hk 2000 $args > /dev/null 2>&1 < /dev/null || status=$?
    [ "$status" -eq 2 ] || fail "inlet-calc $args exits $status, not 2"
done
echo "solid files: pass"
