#!/usr/bin/env bash
# A mesh study kept with the design, out of process and without OpenFOAM: --mesh-study writes
# the three cases, each is given the results the default design's published study found
# (docs/flow.md: 667,300, 278,563 and 122,152 cells), and the same command then reads them back:
# the GCI of each figure (Celik et al. 2008, the order bounded by the schemes' 2), the verdict
# line in both languages, --save keeping the study, and the sheet (pdftotext) printing each
# figure with its band, 未收敛 where the GCI is above 5 %, and the 可信度 rows. A design file
# saved before studies were kept still opens, its figures without a band and its verdict not
# 可信. A mesh that did not settle ends the study with exit 1 and nothing saved; a finest level
# without two below it, --cells and --csv are usage errors.
# Usage: gci.sh INLET INLET-CALC
set -uo pipefail
inlet=$1
calc=$2
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qF -- "$2" "$1" || fail "$3: '$2' not in: $(head -c 3000 "$1")"; }
lacks() { ! grep -qF -- "$2" "$1" || fail "$3: '$2' is in $1"; }
export LC_ALL=C
export_sheet() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$inlet" --export "$@"; }

# results LEVEL CELLS STATUS Vu_cone theta_cone loss_cone Vu_pump theta_pump loss_pump
results() {
    cat > "$d/study/$1/results" << EOF
status $3
level
cells $2
processes 1
iterations 400
flow 15
seconds 100
residual p 0.001
yplus 15 1000 150 0.9
inlet 20 15 0.75 99 89 1.0 100 0 0
section cone_inlet $6 3.79 15.02 3.96 $4 $5 0.9 500 0.056 0.01 cone inlet
section pump_inlet $9 2.0 14.99 7.5 $7 $8 0.9 500 0.039 0.005 pump inlet
EOF
}

"$calc" --hk 2000 --mesh-study "$d/study" > "$d/out" 2> "$d/err" || fail "writing the study's cases: $(cat "$d/err")"
for level in fine medium coarse; do
    [ -f "$d/study/$level/design.inlet" ] || fail "no case $level written"
done
has "$d/err" "the case is written in $d/study/coarse" "the cases written"
results fine 667300 settled 65.4 81.8 0.0251 84.0 83.5 0.0440
results medium 278563 settled 65.1 81.6 0.0319 83.5 83.4 0.0483
results coarse 122152 settled 64.9 81.3 0.0508 81.3 83.1 0.0595

"$calc" --hk 2000 --mesh-study "$d/study" --save "$d/study.inlet" > "$d/out" 2> "$d/err" \
    || fail "the study read back: exit $?, $(cat "$d/err")"
has "$d/out" $'study\tmeshes\tfine 667300 cells, medium 278563 cells, coarse 122152 cells' "the meshes' actual cells"
# A run's results do not name their level; the study's lines name the finest mesh's all the same.
has "$d/out" $'flow\tmesh\tfine, 667300 cells' "the finest mesh's level"
has "$d/out" $'study\tpump_inlet.headLoss\tloss 0.0440 m ± 0.0068 m (GCI 15.5 %, p 3.61, taken as 2, extrapolated 0.04168 m, monotone, not converged)' "the pump inlet's loss"
has "$d/out" $'study\tcone_inlet.headLoss\tloss 0.0251 m ± 0.0108 m (GCI 42.8 %, p 3.84, taken as 2' "the cone inlet's loss"
has "$d/out" $'study\tcone_inlet.Vu\tVu 65.4 % ± 0.9 % (GCI 1.4 %, p 1.16, extrapolated 66.15 %, monotone)' "the cone inlet's Vu"
has "$d/out" $'flow\tverdict\trefine the mesh: ' "the verdict"
has "$d/out" "pump_inlet loss GCI 15.5 % (limit 5 %), not converged" "the verdict's reason"
has "$d/out" "mesh quality not known (no checkMesh figures)" "the mesh quality not known"
LC_ALL=zh_CN.UTF-8 "$calc" --hk 2000 --mesh-study "$d/study" > "$d/out.zh" 2>&1 || fail "the study in Chinese"
has "$d/out.zh" $'flow\tverdict\t需加密网格：' "the verdict in Chinese"
has "$d/out.zh" "水泵进口断面 水头损失 GCI 15.5%（限 5%），未收敛" "the reason in Chinese"
python3 - "$d/study.inlet" << 'PY' || fail "the study kept with the design"
import json, sys
flow = json.load(open(sys.argv[1], encoding="utf-8"))["flow"]
study = flow["meshStudy"]
assert study["cells"] == [667300, 278563, 122152], study["cells"]
loss = [f for f in study["figures"] if f["section"] == "pump_inlet" and f["figure"] == "headLoss"][0]
assert abs(loss["gci"] - 0.1546) < 0.0005 and loss["bandOrder"] == 2, loss
assert flow["settings"]["mesh"] == "fine" and flow["result"]["cells"] == 667300, flow["settings"]
PY

export_sheet "$d/study.pdf" "$d/study.inlet" 2> "$d/err" || fail "export study.pdf: $(cat "$d/err")"
pdftotext "$d/study.pdf" - | tr -d ' \n' > "$d/study.txt"
has "$d/study.txt" "0.0440±0.0068未收敛" "the sheet's loss with its band"
has "$d/study.txt" "84.0±0.8" "the sheet's Vu with its band"
has "$d/study.txt" "可信度" "the sheet's trust rows"
has "$d/study.txt" "结论需加密网格：" "the sheet's verdict"
has "$d/study.txt" "网格质量未知（无checkMesh数据）" "the sheet's mesh quality not known"
has "$d/study.txt" "最大GCI42.8%" "the sheet's largest GCI"

# A design file of a single run, saved before studies were kept: no band, not 可信.
python3 - "$d/study.inlet" "$d/old.inlet" << 'PY'
import json, sys
design = json.load(open(sys.argv[1], encoding="utf-8"))
del design["flow"]["meshStudy"]
for s in design["flow"]["result"]["sections"]:
    del s["backflowArea"], s["backflowFlow"]
json.dump(design, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PY
export_sheet "$d/old.pdf" "$d/old.inlet" 2> "$d/err" || fail "export old.pdf: $(cat "$d/err")"
pdftotext "$d/old.pdf" - | tr -d ' \n' > "$d/old.txt"
has "$d/old.txt" "0.0440" "the old sheet's loss"
lacks "$d/old.txt" "0.0440±" "the old sheet"
has "$d/old.txt" "未做网格收敛研究" "the old sheet"
has "$d/old.txt" "结论不可用：" "the old sheet's verdict (backflow not known)"

# A mesh that did not settle: exit 1, the design saved with the flow it was opened with.
results coarse 122152 iteration-limit 64.9 81.3 0.0508 81.3 83.1 0.0595
cp "$d/study.inlet" "$d/kept.inlet"
"$calc" --open "$d/kept.inlet" --mesh-study "$d/study" --save "$d/kept.inlet" > "$d/out" 2> "$d/err"
[ $? -eq 1 ] || fail "a study with a mesh not settled exits 1"
has "$d/out" $'flow\tstatus\titeration-limit' "the mesh not settled"
lacks "$d/out" "study"$'\t' "a study with a mesh not settled"
python3 -c "import json,sys; assert 'meshStudy' in json.load(open(sys.argv[1]))['flow']" "$d/kept.inlet" \
    || fail "the design file kept its flow"

for args in "--mesh coarse" "--cells 5000"; do
    # shellcheck disable=SC2086
    "$calc" --hk 2000 --mesh-study "$d/other" $args > /dev/null 2>&1
    [ $? -eq 2 ] || fail "--mesh-study $args is a usage error"
done
printf 'hk\n2000\n' | "$calc" --csv --mesh-study "$d/other" > /dev/null 2>&1
[ $? -eq 2 ] || fail "--mesh-study with --csv is a usage error"

[ "$failures" -eq 0 ] && echo "gci: all passed"
exit "$failures"
