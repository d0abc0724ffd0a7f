#!/usr/bin/env bash
# The flow's depth of a study of variants without OpenFOAM: its programs are stood in for by
# scripts on PATH whose solver fails. Each variant's case is written in DIR/cases/NNN; a
# variant whose flow fails keeps its row with why; Slurm asked for but absent is a failure that
# says so and offers --local, in the locale's language. Results standing where the solver would
# have left them (a settled run's, each variant's loss on a known parabola in hk) are kept by a
# rerun, which runs only the failed case again; the response surface through them finds the
# parabola's least (hk 2100, leave-one-out error 0) and never the failed variant; the suggested
# design's own run failing means no best design (exit status 1, no best.inlet); its results
# there, the best design is saved with its flow and its predicted and computed losses printed.
# Usage: flow-study.sh INLET-CALC
set -uo pipefail
calc=$(readlink -f "$1")
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$d" || exit 1

mkdir fake
for p in blockMesh surfaceFeatureExtract snappyHexMesh topoSet decomposePar reconstructPar mpirun; do
    printf '#!/bin/sh\nexit 0\n' > "fake/$p"
done
printf '#!/bin/sh\necho "    cells:            4137"\necho "    Mesh non-orthogonality Max: 41.2 average: 8.1"\necho "    Max skewness = 1.3 OK."\necho "Mesh OK."\n' > fake/checkMesh
# The solver fails, leaving a mark of the case it was run in.
printf '#!/bin/sh\n/usr/bin/touch "%s/ran-$(/usr/bin/basename "$PWD")"\necho "FOAM FATAL ERROR: a stand-in"\nexit 1\n' "$d" > fake/simpleFoam
chmod +x fake/*
export PATH="$d/fake:/usr/bin:/bin"
export LC_ALL=C
study=(--hk 2000 --vary hk=1800:2600:5 --study s --evaluate flow --mesh tiny)

# Usage errors (status 2), each naming what is wrong; nothing written.
while IFS='|' read -r name args expected; do
    # shellcheck disable=SC2086  # the arguments are words
    "$calc" --hk 2000 --vary hk=1800:2400:4 --study bad $args > out 2> err
    status=$?
    [ $status -eq 2 ] || fail "$name: exit status $status, not 2"
    grep -qF -- "$expected" err || fail "$name: no '$expected' in: $(cat err)"
    [ -e bad ] && fail "$name: the study's folder was written"
done <<'ROWS'
loss_without_flow|--optimise min-loss|--optimise min-loss goes with --evaluate flow
vu_without_flow|--evaluate solid --optimise max-vu|--optimise max-vu goes with --evaluate flow
slurm_without_flow|--slurm|--slurm goes with --evaluate flow
slurm_and_local|--evaluate flow --slurm --local|--local and --slurm
run_in_a_study|--evaluate flow --run|--run and --study
mesh_without_flow|--mesh tiny|--mesh and --study
unknown_depth|--evaluate cfd|--evaluate
np_beyond_the_mesh|--evaluate flow --local --np 2 --mesh tiny|--np 2 is too many
ROWS

# Slurm asked for where there is none (only the stand-ins on PATH).
PATH="$d/fake" "$calc" "${study[@]}" --slurm > out 2> err
[ $? -eq 1 ] || fail "--slurm without sbatch: exit status"
grep -q 'Slurm is not found.*--local' err || fail "--slurm without sbatch: $(cat err)"
LC_ALL=zh_CN.UTF-8 PATH="$d/fake" "$calc" "${study[@]}" --slurm > out 2> err
[ $? -eq 1 ] || fail "--slurm without sbatch in Chinese: exit status"
grep -q '找不到 Slurm.*--local' err || fail "--slurm without sbatch in Chinese: $(cat err)"

# Every variant's solver fails: each row keeps its failure.
"$calc" "${study[@]}" --local > out 2> err
[ $? -eq 0 ] || fail "failed flows: exit status $?: $(cat err)"
for n in 001 002 003 004 005; do
    [ -e "ran-$n" ] || fail "the case $n was not run"
    [ -s "s/cases/$n/system/controlDict" ] || fail "no case in s/cases/$n"
done
python3 - s/study.csv <<'PY' || failures=$((failures + 1))
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1])))
bad = [] if len(rows) == 5 else [f"{len(rows)} rows, not 5"]
for r in rows:
    if r["flow_status"] != "failed" or "simpleFoam" not in r["flow_error"] or r["loss_pump_inlet"] != "":
        bad.append(f"{r['variant']}: {r['flow_status']!r} {r['flow_error']!r} {r['loss_pump_inlet']!r}")
    if r["B"] == "" or r["flow_verdict"] != "not usable":
        bad.append(f"{r['variant']}: B {r['B']!r}, verdict {r['flow_verdict']!r}")
for b in bad:
    print("FAIL: failed flows:", b)
sys.exit(1 if bad else 0)
PY

# A settled run's results in each case but 002's, the loss at the pump inlet
# 0.2 + 0.1 ((hk - 2100) / 400)^2.
settled() {  # settled FOLDER LOSS
    cat > "$1/results" <<RESULTS
status settled
level tiny
cells 8662
processes 1
iterations 230
flow 15
seconds 17.3
residual p 3.97e-06
meshquality 54.6 2.48
yplus 282.5 15584.2 2250.6 0.0006
inlet 12.7 14.93 1.18 98.5 88.75 1.30 246 0 0 89.18
section cone_inlet 0.284 3.72 15.0 4.30 71.0 77.1 1.01 605 0.0055 0.0011 82.2 cone inlet
section pump_inlet $2 3.71 15.0 4.06 53.2 81.3 1.06 546 0.07 0.0129 83.7 pump inlet section
RESULTS
}
settled s/cases/001 0.25625
settled s/cases/003 0.20625
settled s/cases/004 0.25625
settled s/cases/005 0.35625
rm -f ran-*
"$calc" "${study[@]}" --local --optimise min-loss > out 2> err
[ $? -eq 1 ] || fail "the optimum's run failing: exit status $?"
for n in 001 003 004 005; do
    [ -e "ran-$n" ] && fail "the rerun ran the settled case $n"
done
[ -e ran-002 ] || fail "the rerun did not run the failed case again"
[ -e ran-best ] || fail "the optimum was not run"
grep -q $'^surface\tform\tquadratic$' out || fail "the surface's form: $(cat out)"
grep -q $'^surface\tpoints\t4$' out || fail "the surface's points: $(cat out)"
grep -q $'^surface\tloo_error\t0.00000$' out || fail "the leave-one-out error: $(cat out)"
grep -q $'^best\thk\t2100$' out || fail "the suggested optimum: $(cat out)"
grep -q $'^best\tpredicted_loss_pump_inlet\t0.2000$' out || fail "the predicted loss: $(cat out)"
grep -q $'^best\tflow_status\tfailed$' out || fail "the optimum's status: $(cat out)"
grep -q "the suggested optimum's flow did not settle" err || fail "the optimum's failure: $(cat err)"
[ -e s/best.inlet ] && fail "a best design was saved from a failed run"
grep -q $'^study\tflow-settled\t4$' out || fail "the settled variants: $(cat out)"

# The optimum's run settled: nothing runs but the failed variant; the best design kept with
# its flow.
settled s/cases/best 0.2010
rm -f ran-*
"$calc" "${study[@]}" --local --optimise min-loss > out 2> err
[ $? -eq 0 ] || fail "the optimum settled: exit status: $(cat err)"
[ "$(ls ran-* 2> /dev/null)" = ran-002 ] || fail "the rerun ran $(ls ran-*)"
grep -q $'^best\tcomputed_loss_pump_inlet\t0.2010$' out || fail "the computed loss: $(cat out)"
grep -q $'^best\tdifference\t0.0010$' out || fail "predicted against computed: $(cat out)"
python3 - s/best.inlet <<'PY' || failures=$((failures + 1))
import json, sys
d = json.load(open(sys.argv[1]))
if d["texts"]["hk"] != "2100" or d.get("flow", {}).get("result", d.get("flow", {})).get("status") != "settled":
    print("FAIL: best.inlet:", d["texts"].get("hk"), json.dumps(d.get("flow"))[:300])
    sys.exit(1)
PY

# The workbook: the flow's columns after the checks', its figures numbers, the failed variant
# with why.
python3 - s/study.xlsx <<'PY' || failures=$((failures + 1))
import sys, openpyxl
sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
rows = [[c.value for c in r] for r in sheet.iter_rows()]
head = rows[0]
bad = []
if head[:2] != ["variant", "hk"] or head.index("flow_status") < head.index("error") or "flow_verdict_reasons" not in head:
    bad.append(f"the header: {head}")
else:
    cell = lambda r, name: rows[r][head.index(name)]
    if cell(2, "flow_status") != "failed" or "simpleFoam" not in (cell(2, "flow_error") or ""):
        bad.append(f"002: {cell(2, 'flow_status')!r} {cell(2, 'flow_error')!r}")
    if not isinstance(cell(3, "loss_pump_inlet"), float) or abs(cell(3, "loss_pump_inlet") - 0.20625) > 6e-5:
        bad.append(f"003's loss: {cell(3, 'loss_pump_inlet')!r}")
    if cell(3, "flow_uncertainty") != "unknown":
        bad.append(f"003's uncertainty: {cell(3, 'flow_uncertainty')!r}")
for b in bad:
    print("FAIL: the workbook:", b)
sys.exit(1 if bad else 0)
PY

# Stopped while its Slurm job went on: the rerun waits for that job (squeue says it runs, once,
# and meanwhile the failed variant's case gets the results the job leaves) and submits nothing:
# every variant settled, the optimum's results already there.
mkdir later
settled later 0.20625
echo 4242 > s/cases/slurm.job
printf '#!/bin/sh\n[ -e "%s/squeued" ] && exit 0\n/usr/bin/touch "%s/squeued"\n/bin/cp "%s/later/results" "%s/s/cases/002/results"\necho RUNNING\n' "$d" "$d" "$d" "$d" > fake/squeue
printf '#!/bin/sh\n/bin/cp "$2" "%s/submitted.sbatch"\necho 5151\n' "$d" > fake/sbatch
chmod +x fake/squeue fake/sbatch
rm -f ran-*
"$calc" "${study[@]}" --slurm --optimise min-loss > out 2> err
[ $? -eq 0 ] || fail "the earlier job: exit status: $(cat err)"
grep -q "waiting for the earlier Slurm job 4242" err || fail "the earlier job was not waited for: $(cat err)"
[ -e submitted.sbatch ] && fail "the earlier job's cases were submitted again: $(cat submitted.sbatch)"
grep -q $'^study\tflow-settled\t5$' out || fail "the earlier job's results: $(cat out)"
grep -q $'^surface\tpoints\t5$' out || fail "the surface after the earlier job: $(cat out)"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
