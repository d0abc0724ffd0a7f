#!/usr/bin/env bash
# A study of two designs, then one of four variants with a response surface, through a
# single-node Slurm started here and stopped at the end:
# munged, slurmctld and slurmd with a configuration of their own in a temporary folder, on
# free ports. The gathered CSV must hold a row per design with the flow's figures, and each
# case its results: a job can show COMPLETED without having run.
# Usage: slurm-study.sh INLET-CALC [CELLS]     (as root, or with sudo for munged)
set -uo pipefail
calc=$(readlink -f "$1")
cells=${2:-}
d=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null; done
    sleep 1
    for pid in "${pids[@]}"; do kill -9 "$pid" 2> /dev/null; done
    rm -rf "$d"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

free_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
host=$(hostname -s)

# munge: its own socket, key and state, so that nothing of the machine's is touched.
mkdir -p "$d/munge"
chmod 700 "$d/munge"
dd if=/dev/urandom of="$d/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$d/munge/munge.key"
socket="$d/munge/munge.socket"
munged --force --key-file="$d/munge/munge.key" --socket="$socket" --pid-file="$d/munge/munged.pid" \
    --log-file="$d/munge/munged.log" --seed-file="$d/munge/munged.seed" || { echo "munged did not start"; exit 1; }
pids+=("$(cat "$d/munge/munged.pid")")

mkdir -p "$d/state" "$d/spool"
cat > "$d/slurm.conf" <<CONF
ClusterName=inlet
SlurmctldHost=$host
SlurmctldPort=$(free_port)
SlurmdPort=$(free_port)
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$d/state
SlurmdSpoolDir=$d/spool
SlurmctldPidFile=$d/slurmctld.pid
SlurmdPidFile=$d/slurmd.pid
SlurmctldLogFile=$d/slurmctld.log
SlurmdLogFile=$d/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
SchedulerParameters=batch_sched_delay=0
ReturnToService=2
NodeName=$host CPUs=$(nproc) State=UNKNOWN
PartitionName=study Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
export SLURM_CONF="$d/slurm.conf"
slurmctld -i || { echo "slurmctld did not start:"; cat "$d/slurmctld.log"; exit 1; }
for _ in $(seq 50); do [ -s "$d/slurmctld.pid" ] && break; sleep 0.1; done
pids+=("$(cat "$d/slurmctld.pid")")
slurmd || { echo "slurmd did not start:"; cat "$d/slurmd.log"; exit 1; }
for _ in $(seq 50); do [ -s "$d/slurmd.pid" ] && break; sleep 0.1; done
pids+=("$(cat "$d/slurmd.pid")")
for _ in $(seq 100); do
    sinfo -h -o %T 2> /dev/null | grep -qE '^(idle|mixed)' && break
    sleep 0.2
done
sinfo -h -o %T | grep -qE '^(idle|mixed)' || { echo "the node is not up: $(sinfo)"; cat "$d/slurmd.log"; exit 1; }

# Two designs, and a third that does not compute (hk 0): no case for it.
printf 'hk,H2\n2000,1300\n2200,1300\n0,1300\n' > "$d/designs.csv"
size=(--mesh tiny)
[ -n "$cells" ] && size=(--cells "$cells")
nice -n 10 "$calc" --csv "$d/designs.csv" --cfd-study "$d/study" "${size[@]}" --np 1 > "$d/gathered.csv" 2> "$d/study.err"
status=$?
[ $status -eq 0 ] || fail "the study's exit status $status: $(cat "$d/study.err")"
grep -q 'Slurm job' "$d/study.err" || fail "the study did not go through Slurm: $(cat "$d/study.err")"
python3 - "$d/gathered.csv" "$d/study" <<'PY' || failures=$((failures + 1))
import csv, os, sys
rows = list(csv.DictReader(open(sys.argv[1])))
problems = []
if len(rows) != 3:
    problems.append(f"{len(rows)} rows, not 3")
for i, row in enumerate(rows[:2], 1):
    if row["flow_status"] != "settled":
        problems.append(f"design {i}: {row['flow_status']} {row['flow_error']}")
        continue
    vu, theta = float(row["Vu_pump_inlet"]), float(row["theta_pump_inlet"])
    if not (0 < vu <= 100 and 0 < theta <= 90):
        problems.append(f"design {i}: Vu {vu}, theta {theta}")
    # Every section's theta of the swirl alone (never below theta: the swirl is part of the
    # velocity across the axis) and backflow shares; the pump inlet's annulus too.
    for section in ("cone_inlet", "pump_inlet", "pump_inlet_annulus"):
        try:
            swirl, whole = float(row["theta_swirl_" + section]), float(row["theta_" + section])
            shares = float(row["backflow_area_" + section]), float(row["backflow_flow_" + section])
        except (KeyError, ValueError) as e:
            problems.append(f"design {i}: {section}: {e!r}")
            continue
        if not (whole - 1e-9 <= swirl <= 90 and all(0 <= s <= 1 for s in shares)):
            problems.append(f"design {i}: {section}: theta {whole}, of the swirl {swirl}, backflow {shares}")
    if not os.path.exists(os.path.join(sys.argv[2], f"design-{i}", "results")):
        problems.append(f"design {i}: no results file")
    if row["a90"] == "" or row["B"] == "":
        problems.append(f"design {i}: the calculation's results are missing")
if len(rows) == 3 and (rows[2]["flow_status"] != "no case" or rows[2]["error"] == ""):
    problems.append(f"the design that does not compute: {rows[2]['flow_status']!r}, error {rows[2]['error']!r}")
for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
[ $failures -eq 0 ] || { cat "$d/gathered.csv"; cat "$d/study/"slurm-*.out 2> /dev/null | tail -20; }

# A study of four variants of hk through the same Slurm: their cases as one job array, a
# response surface of the loss fitted, its least suggested and confirmed by one more run
# (another job), the best design saved with its flow. A rerun submits nothing.
v="$d/variants"
variants=(--hk 2000 --vary hk=1800:2400:4 --study "$v" --evaluate flow "${size[@]}" --np 1 --slurm --optimise min-loss)
start=$SECONDS
nice -n 10 "$calc" "${variants[@]}" > "$d/variants.out" 2> "$d/variants.err"
status=$?
echo "The flow study of four variants took $((SECONDS - start)) s"
[ $status -eq 0 ] || fail "the variants' study: exit status $status: $(grep -v iteration "$d/variants.err" | tail -5)"
[ "$(grep -c 'Slurm job' "$d/variants.err")" -eq 2 ] || fail "the variants and the optimum not two Slurm jobs: $(grep -v iteration "$d/variants.err")"
python3 - "$v" "$d/variants.out" <<'PY' || failures=$((failures + 1))
import csv, json, os, sys
study, out = sys.argv[1], open(sys.argv[2]).read().splitlines()
lines = {tuple(l.split("\t")[:2]): l.split("\t")[2] for l in out if l.count("\t") == 2}
rows = list(csv.DictReader(open(os.path.join(study, "study.csv"))))
problems = [] if len(rows) == 4 else [f"{len(rows)} rows, not 4"]
for r in rows:
    if r["flow_status"] != "settled" or not (0 < float(r["loss_pump_inlet"] or "nan") < 10):
        problems.append(f"{r['variant']}: {r['flow_status']} {r['loss_pump_inlet']!r} {r['flow_error']}")
    elif not os.path.exists(os.path.join(study, "cases", r["variant"].split(".")[0], "results")):
        problems.append(f"{r['variant']}: no results in its case")
if lines.get(("surface", "points")) != "4" or lines.get(("surface", "form")) != "quadratic":
    problems.append(f"the surface: {lines.get(('surface', 'form'))}, {lines.get(('surface', 'points'))} points")
try:
    hk = float(lines[("best", "hk")])
    predicted = float(lines[("best", "predicted_loss_pump_inlet")])
    computed = float(lines[("best", "computed_loss_pump_inlet")])
    loo = float(lines[("surface", "loo_error")])
    if not (1800 <= hk <= 2400 and 0 < predicted < 10 and 0 < computed < 10 and loo >= 0):
        problems.append(f"the optimum: hk {hk}, predicted {predicted}, computed {computed}, loo {loo}")
    print(f"hk {hk}: loss predicted {predicted}, computed {computed}; leave-one-out error {loo}")
except (KeyError, ValueError) as e:
    problems.append(f"the optimum's lines: {e!r}")
best = json.load(open(os.path.join(study, "best.inlet")))
if best.get("flow", {}).get("result", {}).get("status") != "settled":
    problems.append(f"best.inlet's flow: {json.dumps(best.get('flow'))[:200]}")
for p in problems:
    print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
"$calc" "${variants[@]}" > "$d/again.out" 2> "$d/again.err"
[ $? -eq 0 ] || fail "the variants' study again: exit status: $(cat "$d/again.err")"
grep -q 'Slurm job' "$d/again.err" && fail "the rerun submitted a job: $(cat "$d/again.err")"
grep -q $'^study\tcomputed\t0$' "$d/again.out" || fail "the rerun computed variants again: $(cat "$d/again.out")"
# The same suggestion and the same confirmed figures, but how many variants were computed.
cmp -s <(grep -v $'^study\tcomputed' "$d/variants.out") <(grep -v $'^study\tcomputed' "$d/again.out") \
    || fail "the rerun's lines differ: $(diff "$d/variants.out" "$d/again.out")"
[ $failures -eq 0 ] || { grep -v iteration "$d/variants.err" | tail -20; cat "$v/"slurm-*.out 2> /dev/null | tail -20; }
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
