#!/usr/bin/env bash
# What the study window relies on in inlet-calc's study, from outside: the hk x aa study of the
# window's picture writes 15 rows with every figure, and --progress reports the variants done on
# standard error (progress<TAB>DONE<TAB>TOTAL: from 0, never backwards, to the total; a rerun
# that computes nothing reaches the total too); --progress outside a study is a usage error.
# With INLET and the study module: the window program does not load Qt Charts at its start, only
# the module does (loaded when the study window is first opened).
# Usage: study-window.sh INLET_CALC [INLET STUDY_MODULE]
set -uo pipefail
calc=$1
inlet=${2:-}
module=${3:-}
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C
cd "$work" || exit 1
study=(--hk 2000 --vary hk=1800:2600:5 --vary aa=45:55:3 --study s --evaluate checks --progress)

"$calc" "${study[@]}" > out 2> err || fail "study: $(cat err)"
"$python" - s/study.csv <<'PY' || fail "study: the table"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
assert len(rows) == 15, len(rows)
assert sorted({(r["hk"], r["aa"]) for r in rows}) == sorted(
    (hk, aa) for hk in ("1800", "2000", "2200", "2400", "2600") for aa in ("45", "50", "55")), rows
for r in rows:
    assert not r["error"] and r["B"] and r["v_max"] and r["warnings"] and r["checks"], r
PY
"$python" - err 15 <<'PY' || fail "progress: $(cat err)"
import sys
lines = open(sys.argv[1]).read().splitlines()
total = int(sys.argv[2])
progress = [l.split("\t") for l in lines if l.startswith("progress\t")]
assert len(progress) == len(lines), lines  # nothing else on standard error
assert all(len(p) == 3 and int(p[2]) == total for p in progress), progress
done = [int(p[1]) for p in progress]
assert done[0] == 0 and done[-1] == total and done == sorted(done), done
PY
grep -qx $'study\tvariants\t15' out || fail "study: not 15 variants: $(cat out)"

# A rerun computes nothing, and its progress still ends at the total.
"$calc" "${study[@]}" > out 2> err || fail "rerun: $(cat err)"
[ "$(tail -n 1 err)" = $'progress\t15\t15' ] || fail "rerun: progress $(cat err)"
grep -qx $'study\tcomputed\t0' out || fail "rerun: computed again: $(cat out)"

# Outside a study: a usage error naming --study.
"$calc" --hk 2000 --progress > out 2> err
status=$?
[ "$status" = 2 ] || fail "--progress alone: exit status $status"
grep -q -- "--study" err || fail "--progress alone: $(cat err)"

if [ -n "$inlet" ]; then
    # ldd's lists read whole first: grep -q leaving the pipe early ends ldd by SIGPIPE, which
    # pipefail took for a failure.
    inlet_libraries=$(ldd "$inlet") module_libraries=$(ldd "$module")
    ! grep -q libQt6Charts <<< "$inlet_libraries" || fail "inlet links Qt Charts: $(grep Charts <<< "$inlet_libraries")"
    grep -q libQt6Charts <<< "$module_libraries" || fail "the study module has no Qt Charts"
fi

[ "$failures" = 0 ] && echo "all passed"
[ "$failures" = 0 ]
