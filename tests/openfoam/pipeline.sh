#!/usr/bin/env bash
# The flow pipeline run as a user runs it, on the validation pipe at the tiny mesh: without
# OpenFOAM it says how to install it; a mesher that fails leaves its logs and shows no
# figure; the iteration limit shows no figure; Ctrl-C stops the solver so that the same
# command resumes; the resumed run settles and its friction factor is within 6 % of
# Colebrook-White. (The tiny mesh's 4,000 cells are one process's: --np 2 is refused there.)
# Usage: pipeline.sh INLET-CALC
set -uo pipefail
export LC_ALL=C  # the messages matched below are the English ones
calc=$1
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect STATUS PATTERN OUTPUT-FILE WHAT
    grep -qE "$2" "$3" || fail "$4: no line matching '$2' in: $(cat "$3")"
}

# Without OpenFOAM on PATH.
env PATH=/nonexistent "$calc" --cfd-validate "$d/none" --run --mesh tiny > "$d/out" 2>&1
[ $? -eq 1 ] || fail "without OpenFOAM: exit status"
expect 1 'OpenFOAM is not installed.*apt-get install openfoam' "$d/out" "without OpenFOAM"
grep -q 'friction' "$d/out" && fail "without OpenFOAM: a figure was shown"

# A mesher that fails: the status, the stage and the reason (on standard error), the logs
# kept, no figure.
"$calc" --cfd-validate "$d/bad" --mesh tiny > /dev/null 2>&1 || fail "writing the case"
echo 'castellatedMesh true;' > "$d/bad/system/snappyHexMeshDict"
nice -n 10 "$calc" --cfd-validate "$d/bad" --run --mesh tiny > "$d/out" 2> "$d/err"
[ $? -eq 1 ] || fail "failing mesher: exit status"
expect 1 $'^flow\tstatus\tfailed' "$d/out" "failing mesher"
expect 1 '^inlet-calc: meshing: snappyHexMesh failed' "$d/err" "failing mesher"
[ -s "$d/bad/log.snappyHexMesh" ] || fail "failing mesher: its log is gone"
grep -q 'friction' "$d/out" && fail "failing mesher: a figure was shown"

# The iteration limit comes first: no figure.
p="$d/pipe"
nice -n 10 "$calc" --cfd-validate "$p" --run --mesh tiny --iterations 50 > "$d/out" 2> /dev/null
[ $? -eq 1 ] || fail "iteration limit: exit status"
expect 1 $'^flow\tstatus\titeration-limit' "$d/out" "iteration limit"
grep -q 'friction' "$d/out" && fail "iteration limit: a figure was shown"

# Resumed, and stopped with Ctrl-C once it has gone on.
nice -n 10 "$calc" --cfd-validate "$p" --run --mesh tiny > "$d/out" 2> /dev/null &
pid=$!
for _ in $(seq 600); do
    grep -q '^Time = 90$' "$p/log.simpleFoam" 2> /dev/null && break
    sleep 0.1
done
kill -INT $pid
wait $pid
[ $? -eq 1 ] || fail "cancel: exit status"
expect 1 $'^flow\tstatus\tcancelled' "$d/out" "cancel"

# Resumed again: it starts where it stopped and settles.
nice -n 10 "$calc" --cfd-validate "$p" --run --mesh tiny > "$d/out" 2> /dev/null
[ $? -eq 0 ] || fail "resumed run: exit status $(cat "$d/out")"
expect 0 $'^flow\tstatus\tsettled' "$d/out" "resumed run"
expect 0 $'^pipe\tfriction\t.*Colebrook-White' "$d/out" "resumed run"
last_start=$(grep -n '^Starting time loop' "$p/log.simpleFoam" | tail -1 | cut -d: -f1)
first_after=$(tail -n +"$last_start" "$p/log.simpleFoam" | grep -m1 '^Time = ' | cut -d' ' -f3)
# The cancelled run wrote its fields where it stopped, past the 50 iterations of the first.
[ "${first_after:-0}" -gt 51 ] || fail "resumed run started at iteration ${first_after:-none}, not where the cancelled run stopped"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
