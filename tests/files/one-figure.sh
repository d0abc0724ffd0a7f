#!/usr/bin/env bash
# One figure per quantity for the widths chosen, read back from every output out of process:
# `inlet-calc --checks --json`, the DXF (ezdxf), the workbook (openpyxl) and the sheet PDF
# (pdftotext) each give the same passage width B, the B/D and the passage-inlet velocity of
# that B; the cone-inlet velocity through the area the water passes; hk above the pump inlet
# section warned of; a solid built or refused for a condition of the design; and the solid's
# volume over seeded realistic designs against an independent integration (solid-volume.py).
#
# Usage: one-figure.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
python=/usr/bin/python3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C
failures=0

fail()
{
    echo "FAIL $case: $*"
    failures=$((failures + 1))
}

# ---- The same B everywhere: name, then the options of the design.
while IFS='|' read -r case options; do
    dir="$work/$(echo "$case" | tr ' ' '-')"
    mkdir -p "$dir"
    # shellcheck disable=SC2086
    if ! "$calc" $options --checks --json --dxf "$dir/d.dxf" --xlsx "$dir/d.xlsx" --save "$dir/d.inlet" \
        >"$dir/checks.json" 2>"$dir/err"; then
        fail "inlet-calc: $(cat "$dir/err")"
        continue
    fi
    if ! env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$inlet" --export "$dir/d.pdf" "$dir/d.inlet" \
        >/dev/null 2>"$dir/err"; then
        fail "inlet --export: $(cat "$dir/err")"
        continue
    fi
    pdftotext "$dir/d.pdf" "$dir/d.txt"
    found=$("$python" - "$dir" <<'EOF'
import json, re, sys
import ezdxf, openpyxl
d = sys.argv[1]
Q, D = 15.0, 2200.0
printed = json.load(open(f"{d}/checks.json"))
checks = printed["checks"]
hk = float(json.load(open(f"{d}/d.inlet"))["texts"]["hk"])
book = openpyxl.load_workbook(f"{d}/d.xlsx")
rows = [r for r in book["计算结果"].iter_rows(values_only=True) if r[0] == "B"]
# The B the files take: the area-true one where it is not the result's, else the result's
# value as the workbook holds it (the result box's text rounds it).
drawn = [c["figure"] for c in checks if c["check"] == "passage-width-drawn"]
B = drawn[0] if drawn else rows[0][2]
shown = round(B)
if not drawn and int(printed["B"]) != shown:
    print(f"--checks --json prints B {printed['B']}, the workbook {B}")

def near(what, value, tolerance):
    if abs(value - B) > tolerance:
        print(f"{what} gives B {value:.2f}, not {B:.2f}")

# --checks --json: B/D (3 decimals in the text, exact in the figure) and the inlet velocity.
for c in checks:
    if c["subject"] == "B/D":
        near("--checks --json B/D", c["figure"] * D, 1e-6)
    if c["check"] == "velocity-at-passage-inlet":
        near("--checks --json velocity-at-passage-inlet", Q / (c["figure"] * hk / 1000) * 1000, 1e-6)
        if f"B {shown} mm" not in c["message"]:
            print(f"the passage-inlet velocity names another B: {c['message']}")

# The DXF: every dimension of B measures it.
dims = [e.get_measurement() for e in ezdxf.readfile(f"{d}/d.dxf").modelspace().query("DIMENSION")
        if e.dxf.get("text", "").startswith("B=")]
if not dims:
    print("the DXF dimensions no B")
for m in dims:
    near("the DXF's dimension", m, 1e-3)

# The workbook: the B the drawings take (the last row of B), B/D and the velocity.
near("the workbook's 计算结果", rows[-1][2], 1e-6)
if drawn and len(rows) != 2:
    print("the workbook does not show both B side by side")
for r in book["设计校核"].iter_rows(values_only=True):
    if r[1] == "B/D":
        near("the workbook's B/D", r[2] * D, 1e-6)
    if r[0] == "velocity-at-passage-inlet":
        near("the workbook's velocity", Q / (r[2] * hk / 1000) * 1000, 1e-6)

# The sheet: the drawings' dimensions, the ratio, the velocity and the conclusion.
text = open(f"{d}/d.txt").read()
flat = re.sub(r"\s+", "", text)
figures = [int(m) for m in re.findall(r"B=(\d+)(?!\d)", flat)]
if shown not in figures:
    print(f"the sheet never gives B = {shown}: {sorted(set(figures))}")
for m in re.findall(r"B/D=(\d+\.\d+)", flat):
    near("the sheet's B/D", float(m) * D, 0.0005 * D + 0.5)
for m in re.findall(r"B·hk=[\d.]+m²，B=(\d+)mm", flat):
    near("the sheet's passage-inlet velocity", float(m), 0.5)
conclusion = flat[flat.rfind("6结论"):]
if f"B={shown}mm" not in conclusion:
    print(f"the sheet's 结论 does not give B = {shown} mm")
if drawn and "图形、比值、流速、实体及流场均按面积一致宽度" not in conclusion:
    print("the sheet's 结论 does not say which widths the drawings, the solid and the flow take")
EOF
    )
    while read -r line; do [[ -n $line ]] && fail "$line"; done <<<"$found"
done <<'ROWS'
hk 5000 area-true|--hk 5000 --widths area-true
H0 1200 H2 900 hk 2700 area-true|--H0 1200 --H2 900 --hk 2700 --widths area-true
hk 2000 area-true|--hk 2000 --widths area-true
hk 2000 computed|--hk 2000
hk 5000 computed|--hk 5000
ROWS

# ---- The cone inlet net of the guide cone's top: pi·(D0² - dd0²)/4 = 3.416 m², 4.390 m/s.
case="cone-inlet velocity, hk 2000"
line=$("$calc" --hk 2000 --checks | grep $'^check\tvelocity-at-cone-inlet')
[[ $line == *$'\t4.3904'* && $line == *"π·(D0² - dd0²)/4 = 3.416 m²) 4.39 m/s"* ]] || fail "$line"
case="cone-inlet velocity, hk 2000, Chinese"
line=$(LC_ALL=zh_CN.UTF-8 "$calc" --hk 2000 --checks | grep $'^check\tvelocity-at-cone-inlet')
[[ $line == *"扣除导水锥顶，π·(D0² - dd0²)/4 = 3.416 m²）4.39 m/s"* ]] || fail "$line"

# ---- hk against the pump inlet section H (2700 mm here): warned of above it, not at it.
while IFS='|' read -r case hk warned; do
    count=$("$calc" --hk "$hk" --checks | grep -c $'^check\thk-above-pump-inlet\thk\t')
    [[ $count == "$warned" ]] || fail "hk-above-pump-inlet $count times, not $warned"
done <<'ROWS'
hk 2800 warned|2800|1
hk 2701 warned|2701|1
hk 3000 warned|3000|1
hk 2700 not warned|2700|0
hk 2000 not warned|2000|0
ROWS
case="hk 2800 warned, Chinese"
LC_ALL=zh_CN.UTF-8 "$calc" --hk 2800 --checks | grep -q "蜗壳断面高度 hk = 2800 mm 高于水泵进口断面高度 H = 2700 mm" \
    || fail "no Chinese warning"

# ---- A solid, or the condition of the design that keeps it from being built.
while IFS='|' read -r case options; do
    rm -f "$work/x.step"
    # shellcheck disable=SC2086
    "$calc" $options --step "$work/x.step" >/dev/null 2>"$work/err"
    status=$?
    if [[ $status == 0 ]]; then
        [[ -s $work/x.step ]] || fail "exit 0 without a solid"
    elif [[ $status != 1 ]] || ! grep -q "no solid: " "$work/err" \
        || grep -q "modelling kernel\|not sound" "$work/err"; then
        fail "exit $status: $(cat "$work/err")"
    fi
done <<'ROWS'
hk 3000 solid|--hk 3000
hk 5000 solid|--hk 5000
hk 2800 solid|--hk 2800
hk 3000 area-true solid|--hk 3000 --widths area-true
ROWS

# ---- The solid's volume over seeded realistic designs.
case="solid volume over seeded designs"
"$python" "$here/solid-volume.py" "$calc" 8 >"$work/volume.out" 2>&1 || fail "$(cat "$work/volume.out")"

echo "$failures failure(s)"
[[ $failures == 0 ]]
