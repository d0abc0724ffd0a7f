#!/usr/bin/env bash
# inlet-calc's study of variants (--vary ... --study DIR) from outside: every variant a row, its B
# the one --checks --json prints for that design, failures listed; Latin-hypercube samples the
# same for the same seed; a rerun computes nothing; another study's folder refused; bad ranges a
# usage error; the optimiser's best design holding every constraint and no worse than any grid
# variant that holds them (a fine grid).
# Usage: study.sh INLET_CALC
set -uo pipefail
calc=$1
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C
cd "$work" || exit 1
fixed=(--L 7700 --aa 65)

# A 3x3 grid over hk and H1 at the checks' depth, hk from below bp (sections missing) up.
"$calc" "${fixed[@]}" --vary hk=800:3000:3 --vary H1=1500:2500:3 --study grid > out 2> err || fail "grid: $(cat err)"
grep -qx $'study\tvariants\t9' out || fail "grid: not 9 variants: $(cat out)"
grep -qx $'study\tcomputed\t9' out || fail "grid: not 9 computed: $(cat out)"
[ "$(ls grid/variants | wc -l)" = 9 ] || fail "grid: not 9 design files: $(ls grid/variants)"
[ -s grid/study.xlsx ] || fail "grid: no workbook"
"$python" - grid/study.csv "$calc" "${fixed[@]}" <<'PY' || fail "grid: the table"
import csv, json, subprocess, sys
path, calc, fixed = sys.argv[1], sys.argv[2], sys.argv[3:]
rows = list(csv.DictReader(open(path, encoding="utf-8")))
assert len(rows) == 9, len(rows)
assert [(r["hk"], r["H1"]) for r in rows[:4]] == [("800", "1500"), ("800", "2000"), ("800", "2500"), ("1900", "1500")], rows[:4]
for r in rows:
    assert r["variant"] and (r["B"] or r["error"]), r
missing = [r for r in rows if r["sections"] == "missing"]
assert missing and all("hk-below-bp" in r["warned"] for r in missing), [r["warned"] for r in rows]
for r in (rows[4], rows[8]):
    out = subprocess.run([calc, *fixed, "--hk", r["hk"], "--H1", r["H1"], "--checks", "--json"],
                         capture_output=True, text=True, check=True).stdout
    assert json.loads(out)["B"] == r["B"], (out, r)
# The workbook holds the same rows, B as a number.
import openpyxl
sheet = openpyxl.load_workbook(path.replace(".csv", ".xlsx")).worksheets[0]
values = list(sheet.values)
assert len(values) == 10 and values[0][0] == "variant", values[:2]
assert values[5][3] == float(rows[4]["B"]), (values[5], rows[4]["B"])
PY

# A variant that fails its run is listed with its failure, never dropped: H2 so low the run
# divides by zero or overflows somewhere in the range (D1 0.01 mm).
"$calc" --vary D1=0.01:2:2 --study failing > out 2> err || fail "failing: $(cat err)"
"$python" - failing/study.csv <<'PY' || fail "failing: the failure listed"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
assert len(rows) == 2, rows
assert any(r["error"] for r in rows), rows
PY

# Restart: the same command computes nothing; a changed range only what changed.
"$calc" "${fixed[@]}" --vary hk=800:3000:3 --vary H1=1500:2500:3 --study grid > out 2> err || fail "rerun: $(cat err)"
grep -qx $'study\tcomputed\t0' out || fail "rerun computed again: $(cat out)"
rm grid/variants/005.inlet
"$calc" "${fixed[@]}" --vary hk=800:3000:3 --vary H1=1500:2500:3 --study grid > out 2> err || fail "rerun: $(cat err)"
grep -qx $'study\tcomputed\t1' out || fail "a missing design file not computed alone: $(cat out)"

# Another study's folder, or a folder of other files, refused (status 2) and left as it was;
# --force replaces the study.
sum=$(cat grid/study.csv | md5sum)
"$calc" "${fixed[@]}" --vary hk=800:3000:4 --study grid > out 2> err
[ $? = 2 ] || fail "another study's folder: not status 2"
grep -q "another study" err || fail "another study's folder: $(cat err)"
[ "$(md5sum < grid/study.csv)" = "$sum" ] || fail "another study's folder written"
mkdir other && echo keep > other/notes.txt
"$calc" --vary hk=800:3000:4 --study other > out 2> err
[ $? = 2 ] || fail "a folder of other files: not status 2"
"$calc" "${fixed[@]}" --vary hk=800:3000:4 --study grid --force > out 2> err || fail "--force: $(cat err)"
grep -qx $'study\tvariants\t4' out || fail "--force: $(cat out)"
[ ! -e grid/variants/005.inlet ] || fail "--force kept the old study's variants"

# Latin-hypercube samples: the same seed the same variants; another seed others.
"$calc" "${fixed[@]}" --vary hk=1500:3000:2 --vary H1=1500:2500:2 --samples 8 --seed 11 --study lhs1 > /dev/null 2> err \
    || fail "lhs: $(cat err)"
"$calc" "${fixed[@]}" --vary hk=1500:3000:2 --vary H1=1500:2500:2 --samples 8 --seed 11 --study lhs2 > /dev/null 2> err \
    || fail "lhs: $(cat err)"
"$calc" "${fixed[@]}" --vary hk=1500:3000:2 --vary H1=1500:2500:2 --samples 8 --seed 12 --study lhs3 > /dev/null 2> err \
    || fail "lhs: $(cat err)"
cmp -s lhs1/study.csv lhs2/study.csv || fail "lhs: the same seed gave other variants"
cmp -s lhs1/study.csv lhs3/study.csv && fail "lhs: another seed gave the same variants"
[ "$(wc -l < lhs1/study.csv)" = 9 ] || fail "lhs: not 8 rows"

# Bad ranges and settings: a usage error (status 2) naming the argument, nothing written.
while IFS='|' read -r name args expected; do
    # shellcheck disable=SC2086
    "$calc" $args > out 2> err
    status=$?
    [ "$status" = 2 ] || fail "$name: status $status, not 2"
    grep -qF -- "$expected" err || fail "$name: '$expected' not in: $(cat err)"
done <<'TABLE'
unknown_input|--vary D=1:2:2 --study bad|'D=1:2:2'
reversed|--vary hk=2600:1800:5 --study bad|'hk=2600:1800:5'
zero|--vary hk=0:100:2 --study bad|'hk=0:100:2'
angle|--vary aa=10:95:3 --study bad|'aa=10:95:3'
count|--vary hk=1800:2600:0 --study bad|'hk=1800:2600:0'
four_inputs|--vary hk=1:2:2 --vary H1=1:2:2 --vary H2=1:2:2 --vary D1=1:2:2 --study bad|at most 3
twice|--vary hk=1:2:2 --vary hk=1:3:2 --study bad|hk is given twice
no_vary|--study bad|--vary
vary_alone|--vary hk=1:2:2|--study DIR
require_bad|--vary hk=1:2:2 --study bad --optimise min-B --require v_max~1|'v_max~1'
require_unknown|--vary hk=1:2:2 --study bad --optimise min-B --require speed<=1|'speed<=1'
with_csv|--csv x --vary hk=1:2:2 --study bad|--csv
TABLE
[ ! -e bad ] || fail "a usage error wrote the study's folder"

# The optimiser: min-B with a bound, from a coarse grid; its best design holds every constraint
# and is no worse than any variant of a fine grid that holds them.
if "$calc" "${fixed[@]}" --vary hk=800:3000:3 --vary H1=1500:2500:3 --study opt --optimise min-B --require "v_max<=1.3" \
       > out 2> err; then
    best=$(awk -F'\t' '$1 == "best" && $2 == "B" {print $3}' out)
    [ -n "$best" ] || fail "optimise: no best B: $(cat out)"
    [ -s opt/best.inlet ] || fail "optimise: no best.inlet"
    grep -q $'^best\tevaluations\t[1-9]' out || fail "optimise: no evaluations: $(cat out)"
    hk=$(awk -F'\t' '$1 == "best" && $2 == "hk" {print $3}' out)
    h1=$(awk -F'\t' '$1 == "best" && $2 == "H1" {print $3}' out)
    "$calc" --open opt/best.inlet --checks --json > best.json 2> err || fail "optimise: best.inlet: $(cat err)"
    "$calc" "${fixed[@]}" --vary hk=800:3000:45 --vary H1=1500:2500:21 --study fine > /dev/null 2> err || fail "fine: $(cat err)"
    "$python" - best.json fine/study.csv "$best" "$hk" "$h1" <<'PY' || fail "optimise: the best design"
import csv, json, sys
best = json.load(open(sys.argv[1]))
B, hk, h1 = float(sys.argv[3]), sys.argv[4], sys.argv[5]
assert float(best["B"]) == B, (best["B"], B)
assert best["hk"] if "hk" in best else True
velocities = [c["figure"] for c in best["checks"] if c["check"] == "section-velocity"]
assert max(velocities) <= 1.3, velocities
shapes = {"hk-below-bp", "hk-above-pump-inlet", "profiles-cross", "area-true-width-fails", "not-drawable",
          "guide-cone-wider-than-cone-inlet", "cone-inlet-not-narrower-than-rim"}
assert not [c for c in best["checks"] if c["warning"] and c["check"] in shapes], best["checks"]
held = [r for r in csv.DictReader(open(sys.argv[2], encoding="utf-8"))
        if r["sections"] == "exist" and r["v_max"] and float(r["v_max"]) <= 1.3]
assert held, "no fine-grid variant holds the constraints"
assert all(B <= float(r["B"]) for r in held), (B, min(float(r["B"]) for r in held))
PY
else
    grep -q "no optimiser" err || fail "optimise: $(cat err)"
fi

# A bound no variant can meet: no best design, status 1, no best.inlet.
"$calc" "${fixed[@]}" --vary hk=1800:3000:3 --study none --optimise min-B --require "B<=10" > out 2> err
status=$?
if ! grep -q "no optimiser" err; then
    [ "$status" = 1 ] || fail "no variant holds: status $status"
    grep -q "no variant holds every constraint" err || fail "no variant holds: $(cat err)"
    [ ! -e none/best.inlet ] || fail "no variant holds: best.inlet written"
fi

# Chinese under a Chinese locale.
LC_ALL=zh_CN.UTF-8 "$calc" --vary hk=2600:1800:5 --study bad 2> err
grep -q "范围" err || fail "Chinese: $(cat err)"

[ "$failures" = 0 ] && echo "all study checks passed"
exit $((failures > 0))
