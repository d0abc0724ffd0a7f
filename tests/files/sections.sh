#!/usr/bin/env bash
# The sections as drawn, read back by other programs: every station view of the DXF is labelled
# with the area of the contour it draws (measured here from the DXF's own lines and arcs with
# ezdxf), and with F and the difference in red where the two part by more than 0.5 %; the
# drawing names those stations and the switch to the other widths. hk below bp: no B, no
# velocity through it, no word of area-true widths, and a solid refused for hk. The calculation
# sheet (pdftotext) as a calculation is filed: its basis, the 制图 row, units, the widths
# adopted; the workbook (openpyxl) in degrees, with D, Ds, Q and the sections drawn.
# Usage: sections.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
python=/usr/bin/python3  # Debian's, with python3-ezdxf and python3-openpyxl
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C
cd "$work" || exit 1
export_file() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$inlet" --export "$@"; }

# --- The DXF: labels against the contours drawn -------------------------------------------
# name | options; the contours are read with exact ellipses (--dxf-curves ellipse).
while IFS='|' read -r name options; do
    # shellcheck disable=SC2086
    "$calc" $options --dxf "$name.dxf" --dxf-curves ellipse > /dev/null 2> err || fail "$name: inlet-calc: $(cat err)"
done << 'EOF'
hk2000-computed|--hk 2000
hk2000-area-true|--hk 2000 --widths area-true
hk1500-computed|--hk 1500
hk3000-computed|--hk 3000 --aa 40
hk1000-computed|--hk 1000
hk1000-area-true|--hk 1000 --widths area-true
EOF

"$python" - << 'EOF' || fail "DXF read back"
import math, re, sys
import ezdxf

failures = 0
def fail(message):
    global failures
    failures += 1
    print("FAIL:", message)

def close(a, b, tol=1e-3):
    return abs(a[0] - b[0]) <= tol and abs(a[1] - b[1]) <= tol

def text_of(e):
    return e.dxf.text if e.dxftype() == "TEXT" else e.plain_text()

def anchor(e):
    # A centred TEXT stands at its alignment point.
    if e.dxftype() == "TEXT" and e.dxf.halign != 0 and e.dxf.hasattr("align_point"):
        return (e.dxf.align_point.x, e.dxf.align_point.y)
    return (e.dxf.insert.x, e.dxf.insert.y)

def contours(msp):
    """Each station's closed section: its wall-and-roof polyline, the bell's lip (an ELLIPSE
    from the polyline's end), the rim's centre line down to the floor, and the floor back."""
    ellipses = [e for e in msp.query("ELLIPSE")]
    centres = [(tuple(e.dxf.start)[:2], tuple(e.dxf.end)[:2]) for e in msp.query("LINE") if e.dxf.layer == "CENTRE"]
    found = []
    for p in msp.query("LWPOLYLINE"):
        if p.dxf.layer != "OUTLINE":
            continue
        pts = [(x, y) for x, y, *_ in p.get_points()]
        if len(pts) < 2:
            continue
        for el in ellipses:
            ends = [tuple(el.start_point)[:2], tuple(el.end_point)[:2]]
            for i in (0, 1):
                if not close(ends[i], pts[-1], 0.01):
                    continue
                rim = ends[1 - i]
                # The station view's centre line runs from the rim straight down to the floor.
                if not any((close(a, rim, 0.01) and abs(b[0] - rim[0]) < 0.01 and abs(b[1] - pts[0][1]) < 0.01)
                           or (close(b, rim, 0.01) and abs(a[0] - rim[0]) < 0.01 and abs(a[1] - pts[0][1]) < 0.01)
                           for a, b in centres):
                    continue
                lip = [tuple(v)[:2] for v in el.vertices(el.params(4001))]
                if not close(lip[0], pts[-1], 0.01):
                    lip.reverse()
                ring = pts + lip[1:] + [(rim[0], pts[0][1])]
                area = 0.5 * abs(sum(ring[k][0] * ring[(k + 1) % len(ring)][1] - ring[(k + 1) % len(ring)][0] * ring[k][1]
                                     for k in range(len(ring))))
                found.append({"area": area, "middle": ((rim[0] + pts[0][0]) / 2, pts[0][1])})
    return found

def read(name):
    doc = ezdxf.readfile(name + ".dxf")
    msp = doc.modelspace()
    texts = [(text_of(e), e.dxf.layer, anchor(e)) for e in msp if e.dxftype() in ("TEXT", "MTEXT")]
    dims = [e.dxf.text for e in msp.query("DIMENSION")]
    return msp, texts, dims

def check_labels(name, expect_sections, expect_note, switch):
    msp, texts, dims = read(name)
    found = contours(msp)
    if len(found) != expect_sections:
        fail(f"{name}: {len(found)} station contours, expected {expect_sections}")
    drawn_labels = [(t, at) for t, layer, at in texts if t.startswith("所绘面积 ")]
    if len(drawn_labels) != len(found):
        fail(f"{name}: {len(drawn_labels)} drawn-area labels for {len(found)} contours")
    differing = 0
    for c in found:
        mx, my = c["middle"]
        # The label under the contour's middle, and the F line under it.
        under = [(t, at) for t, at in drawn_labels if abs(at[0] - mx) < 1 and at[1] < my]
        if not under:
            fail(f"{name}: no drawn-area label under the contour at x {mx:.1f}")
            continue
        label, at = max(under, key=lambda u: u[1][1])
        value = float(re.match(r"所绘面积 (-?\d+) mm²", label).group(1))
        if abs(value - c["area"]) > 0.001 * c["area"]:
            fail(f"{name}: label '{label}' against the contour's {c['area']:.0f} mm²")
        f_lines = [(t, layer, a) for t, layer, a in texts if t.startswith("F=") and abs(a[0] - mx) < 1 and a[1] < at[1]]
        if not f_lines:
            fail(f"{name}: no F line under '{label}'")
            continue
        f_text, layer, _ = max(f_lines, key=lambda u: u[2][1])
        F = float(re.match(r"F=(\d+) mm²", f_text).group(1))
        if F > 0 and abs(value - F) > 0.005 * F:
            differing += 1
            m = re.search(r"相差 ([+-]?\d+\.\d)%", f_text)
            if layer != "AREA-DIFF" or not m:
                fail(f"{name}: '{f_text}' on {layer} for a section of {value:.0f} mm²")
            elif abs(float(m.group(1)) - (value - F) / F * 100) > 0.051:
                fail(f"{name}: '{f_text}' for {value:.0f} mm²")
        elif layer != "TEXT" or "相差" in f_text:
            fail(f"{name}: '{f_text}' marked for a section of {value:.0f} mm²")
    # The note above the views: its sentences one under the other, in red.
    notes = [t for t, layer, _ in texts if layer == "AREA-DIFF" and not t.startswith("F=")]
    if expect_note:
        if not notes or not notes[0].startswith("红字：所绘断面面积与 F 相差超过 0.5 %") or differing == 0:
            fail(f"{name}: note lines {notes}, {differing} sections off F")
        elif any("按断面形状（面积一致）" in n for n in notes) != switch:
            fail(f"{name}: note {notes}")
    elif notes:
        fail(f"{name}: note {notes} where every section carries F")
    if "AREA-DIFF" not in [layer.dxf.name for layer in msp.doc.layers]:
        fail(f"{name}: no layer AREA-DIFF")
    return found

# hk 2000, 87 degrees: the section the computed width draws is 2,629,701 mm² against F 2,960,958.
found = check_labels("hk2000-computed", 12, True, True)
if not any(abs(c["area"] - 2629701) < 0.001 * 2629701 for c in found):
    fail("hk2000-computed: no contour of 2,629,701 mm² (87 degrees)")
check_labels("hk2000-area-true", 11, True, False)
check_labels("hk1500-computed", 12, True, True)
check_labels("hk3000-computed", 12, True, True)

# hk 1000: no section shape, no B, no word of area-true widths.
for name in ("hk1000-computed", "hk1000-area-true"):
    msp, texts, dims = read(name)
    if any(d.startswith("B=") for d in dims):
        fail(f"{name}: B dimensioned without a volute section: {[d for d in dims if d.startswith('B=')]}")
    if any("蜗壳宽度按断面形状" in t for t, _, _ in texts):
        fail(f"{name}: says the widths are area-true where there are none")
    if not any("未绘断面" in t for t, _, _ in texts):
        fail(f"{name}: does not say why no section is drawn")
sys.exit(1 if failures else 0)
EOF

# --- The checks: no velocity through a B that does not exist ------------------------------
"$calc" --hk 1000 --checks > checks.txt 2>&1 || fail "inlet-calc --hk 1000 --checks: $(cat checks.txt)"
grep -q 'velocity-at-passage-inlet' checks.txt && fail "hk 1000: $(grep velocity-at-passage-inlet checks.txt)"
"$calc" --hk 2000 --checks > checks.txt 2>&1
grep -q $'width-sets-differ.*by up to -11.2%' checks.txt || fail "hk 2000: width-sets-differ without the size: $(grep width-sets-differ checks.txt)"
env -u LC_ALL LANG=zh_CN.UTF-8 "$calc" --hk 2000 --checks > checks.txt 2>&1
grep -q '所绘面积与 F 不符（最大相差 -11.2%）' checks.txt || fail "hk 2000 (zh): $(grep width-sets-differ checks.txt)"

# --- The solid refused for the reason, where the solid can be built at all ----------------
if "$calc" --help | grep -q -- '--step FILE'; then
    "$calc" --hk 1000 --widths area-true --step x.step > out 2> err
    status=$?
    { [ $status = 1 ] && grep -q 'hk 1000 mm is not above' err && ! grep -q 'no width' err; } ||
        fail "hk 1000 area-true STEP: status $status, '$(cat err)'"
fi

# --- The calculation sheet and the workbook ------------------------------------------------
"$calc" --hk 2000 --theta 5 --D0 2400 --save d.inlet > /dev/null || fail "inlet-calc --save"
export_file s.pdf d.inlet 2> err || fail "export s.pdf: $(cat err)"
pdftotext -layout s.pdf s.txt 2> /dev/null || fail "pdftotext"
flat=$(tr -d ' \n' < s.txt)
while IFS='|' read -r what pattern; do
    grep -qF -- "$pattern" <<< "$flat" || fail "sheet: $what ('$pattern')"
done << 'EOF'
the 制图 row|制图
the method's basis|F=π·D1·H2·φ/360（mm²）
the quarter-ellipse lip stated|四分之一椭圆计
the width set adopted in 结论|施工图（型线图、导出图形及实体）采用的蜗壳宽度：按计算结果
c with its unit|c=d·H1-2·H1²·t=
C with its unit|mm²；a40=
the check text with its size|所绘面积与F不符（最大相差
the drawings' note on the sections off F|红字：所绘断面面积与F相差超过0.5%
D marked as the ratio checks use it|用于比值校核
EOF
grep -qE 'c = d·H1 - 2·H1²·t = .* = -?[0-9.]+ mm²' s.txt || fail "sheet: c without unit: $(grep -m1 'c = d·H1' s.txt)"
grep -qE '比例 1:1([^0-9]|$)' s.txt && fail "sheet: the chart's '比例 1:1' is back"
grep -qF 'GB 50265' s.txt && fail "sheet: cites GB 50265 for a method it is not the source of"
# The velocity through the section drawn at 87 degrees, as the checks give it, for the workbook.
"$calc" --hk 2000 --theta 5 --D0 2400 --checks | awk -F'\t' '$2 == "section-velocity" && $3 == "a87" { print $4 }' > v87

export_file w.xlsx d.inlet 2> err || fail "export w.xlsx: $(cat err)"
"$python" - << 'EOF' || fail "workbook read back"
import re, sys
import openpyxl
book = openpyxl.load_workbook("w.xlsx")
failures = 0
def fail(message):
    global failures
    failures += 1
    print("FAIL:", message)
given = {row[0]: row[3] for row in book["给定参数"].iter_rows(min_row=2, values_only=True)}
for symbol, value in {"theta": 5, "aa": 50, "D": 2200, "Ds": 2205, "Q": 15, "D0": 2400}.items():
    if given.get(symbol) is None or abs(given[symbol] - value) > 1e-6:
        fail(f"给定参数 {symbol} 采用值 {given.get(symbol)!r}, expected {value}")
table = list(book["蜗壳断面"].iter_rows(values_only=True))
header = table[0]
for column in ("所绘断面面积(mm²)", "与F相差(%)", "流速Q·(φ/360)/F(m/s)", "所绘断面流速(m/s)"):
    if column not in header:
        fail(f"蜗壳断面: no column {column}: {header}")
if not failures:
    rows = {row[0]: dict(zip(header, row)) for row in table[1:]}
    r87 = rows[87]
    drawn, F = r87["所绘断面面积(mm²)"], r87["断面面积F(mm²)"]
    checks_v87 = float(open("v87").read())
    if not (drawn and abs(15 * 87 / 360 / (drawn / 1e6) - checks_v87) < 1e-9):
        fail(f"87 degrees: drawn area {drawn}, but the checks' velocity {checks_v87} m/s")
    elif abs(r87["与F相差(%)"] - (drawn - F) / F * 100) > 1e-9:
        fail(f"87 degrees: difference {r87['与F相差(%)']}")
    v = r87["所绘断面流速(m/s)"]
    if not (v and abs(v - 15 * 87 / 360 / (drawn / 1e6)) < 1e-9):
        fail(f"87 degrees: velocity in the section drawn {v}")
names = [row[0] for row in book["设计校核"].iter_rows(min_row=2, values_only=True) if row[0]]
ascii_names = [n for n in names if re.fullmatch(r"[a-z0-9-]+", n)]
if not names or ascii_names:
    fail(f"设计校核: names in English: {ascii_names}")
sys.exit(1 if failures else 0)
EOF

[ $failures = 0 ] && echo "all passed"
exit $((failures > 0))
