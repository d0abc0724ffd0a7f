#!/usr/bin/env bash
# The setting-out tables (放样坐标表) read back from every file that carries them: the CSV of
# `inlet-calc --setout`, the DXF (ezdxf, TEXT on the layer SETOUT of the sheets after the
# drawing's), the workbook's sheet 放样坐标 (openpyxl), the calculation sheet's 附录 B (pdftotext)
# and the drawing PDF's pages after the first. Every figure the same in all of them; each figure
# against the ellipses and the volute wall worked out here from the given dimensions the workbook
# reports (the profile formulas, and the wall through the station radii by monotone cubic
# interpolation); the default steps (every 5° of t, every 100 mm of z, every 5° of φ) and every
# station present.
# Usage: setout.sh INLET INLET_CALC
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

# name | options: hk 2000 as the boxes give it, both width sets; a coned pipe (θ 5°) with
# another hk and aa, whose bell-mouth arc starts off a 5° step; and at A3, where the tables
# take more than one column.
while IFS='|' read -r name options paper; do
    # shellcheck disable=SC2086
    "$calc" $options --setout "$name.csv" --dxf "$name.dxf" --paper "$paper" --xlsx "$name.xlsx" --save "$name.inlet" \
        > /dev/null 2> err || fail "$name: inlet-calc: $(cat err)"
    export_file "$name.pdf" "$name.inlet" 2> err || fail "$name: the sheet: $(cat err)"
    export_file "$name-drawing.pdf" --format drawing-pdf --paper "$paper" "$name.inlet" 2> err \
        || fail "$name: the drawing PDF: $(cat err)"
    pdftotext -layout "$name.pdf" "$name.txt" || fail "$name: pdftotext"
    pdftotext -layout -f 2 "$name-drawing.pdf" "$name-drawing.txt" || fail "$name: pdftotext of the drawing"
    echo "$name" >> designs
done << 'EOF'
hk2000|--hk 2000|auto
hk2000-area-true|--hk 2000 --widths area-true|auto
cone|--hk 2500 --theta 5 --aa 45|A3
EOF

"$python" - << 'EOF' || fail "the tables read back"
import csv, math, re, sys
import ezdxf, openpyxl

failures = 0
def fail(message):
    global failures
    failures += 1
    print("FAIL:", message)

NUMBER = re.compile(r"^-?\d+(\.\d+)?$")

def from_csv(path):
    """[(title, [row of texts])] from the CSV's blocks."""
    tables, block = [], []
    lines = list(csv.reader(open(path, encoding="utf-8")))
    for line in lines[2:] + [[]]:
        if line:
            block.append(line)
            continue
        if block:
            title = block[0][0]
            rows = [r for r in block if all(NUMBER.match(c) for c in r)]
            tables.append((title, rows))
        block = []
    return lines[0][0], tables

def from_workbook(path):
    sheet = openpyxl.load_workbook(path)["放样坐标"]
    tables, title = [], None
    for row in sheet.iter_rows(values_only=True):
        cells = [c for c in row if c is not None]
        if not cells:
            continue
        if all(isinstance(c, (int, float)) for c in cells):
            tables[-1][1].append(cells)
        elif len(cells) == 1 and "（" in str(cells[0]) and not str(cells[0]).startswith("坐标原点"):
            tables.append((cells[0], []))
    return tables

def from_dxf(path):
    """The numeric rows of the tables in reading order: the TEXTs on SETOUT in runs of one row
    (the same y, cells a column apart), the runs ordered by their column of tables (x), then
    down (y)."""
    doc = ezdxf.readfile(path)
    if "SETOUT" not in doc.layers:
        fail(f"{path}: no layer SETOUT")
    texts = [e for e in doc.modelspace().query("TEXT") if e.dxf.layer == "SETOUT"]
    cells = [e for e in texts if NUMBER.match(e.dxf.text)]
    if not cells:
        fail(f"{path}: no figures on SETOUT")
        return [], texts
    k = cells[0].dxf.height / 3.5  # the print scale: cells are 3.5 mm on paper
    at = lambda e: e.dxf.align_point if e.dxf.halign else e.dxf.insert
    by_y = {}
    for e in cells:
        by_y.setdefault(round(at(e).y / k, 3), []).append(e)
    runs = []
    for y, row in by_y.items():
        row.sort(key=lambda e: at(e).x)
        run = [row[0]]
        for e in row[1:]:
            if at(e).x - at(run[-1]).x > 28 * k:
                runs.append((round(at(run[0]).x / k, 3), -y, [c.dxf.text for c in run]))
                run = []
            run.append(e)
        runs.append((round(at(run[0]).x / k, 3), -y, [c.dxf.text for c in run]))
    runs.sort()
    return [r[2] for r in runs], texts

def from_pdf_text(path, after):
    """Rows of figures alone on a line after the last line holding `after`."""
    text = open(path, encoding="utf-8").read()
    start = text.rfind(after)
    if start < 0:
        fail(f"{path}: no {after}")
        return []
    rows = []
    for line in text[start:].splitlines():
        tokens = line.split()
        if len(tokens) in (3, 5) and all(NUMBER.match(t) for t in tokens):
            rows.append(tokens)
    return rows

def given(path):
    sheet = openpyxl.load_workbook(path)["给定参数"]
    return {r[0]: r[3] for r in sheet.iter_rows(min_row=2, values_only=True)}

def station_widths(path, area_true):
    """{φ: a} of the widths the drawing uses, from the workbook's 蜗壳断面 (by its header)."""
    sheet = openpyxl.load_workbook(path)["蜗壳断面"]
    rows = list(sheet.iter_rows(values_only=True))
    header = [str(h) for h in rows[0]]
    phi_col = next(i for i, h in enumerate(header) if "φ" in h)
    col = header.index("面积一致宽度(mm)" if area_true else "蜗壳宽度a(mm)")
    return {int(r[phi_col]): r[col] for r in rows[1:] if isinstance(r[col], (int, float))}

def monotone_wall(phis, radii):
    """The wall through (φ, R) by Fritsch and Carlson's monotone cubic."""
    n = len(phis)
    delta = [(radii[i + 1] - radii[i]) / (phis[i + 1] - phis[i]) for i in range(n - 1)]
    m = [delta[0]] + [0 if delta[i - 1] * delta[i] <= 0 else (delta[i - 1] + delta[i]) / 2 for i in range(1, n - 1)] + [delta[-1]]
    for i in range(n - 1):
        if delta[i] == 0:
            m[i] = m[i + 1] = 0
            continue
        a, b = m[i] / delta[i], m[i + 1] / delta[i]
        if a * a + b * b > 9:
            tau = 3 / math.sqrt(a * a + b * b)
            m[i], m[i + 1] = tau * a * delta[i], tau * b * delta[i]
    def R(phi):
        i = 0
        while i + 2 < n and phi > phis[i + 1]:
            i += 1
        h = phis[i + 1] - phis[i]
        u = (phi - phis[i]) / h
        return ((1 + 2 * u) * (1 - u) ** 2 * radii[i] + u * (1 - u) ** 2 * h * m[i]
                + u * u * (3 - 2 * u) * radii[i + 1] + u * u * (u - 1) * h * m[i + 1])
    return R

def check_near(name, what, printed, exact, decimals):
    tolerance = 0.5 * 10 ** -decimals + 1e-6
    if abs(float(printed) - exact) > tolerance:
        fail(f"{name}: {what} printed {printed}, worked out {exact:.4f}")

def check_ellipse(name, title, rows, centre, axes, u0, u1, by):
    xc, zc = centre
    a, b = axes
    ts = [float(r[0]) for r in rows]
    if by == "t":
        between = [5 * k for k in range(math.floor(math.degrees(u0) / 5) + 1, math.ceil(math.degrees(u1) / 5))
                   if math.degrees(u0) + 1e-6 < 5 * k < math.degrees(u1) - 1e-6]
        expected = [math.degrees(u0)] + between + [math.degrees(u1)]
        if len(ts) != len(expected):
            fail(f"{name}: {title}: {len(ts)} points, expected {len(expected)} (every 5° and the ends)")
            return
        for row, t in zip(rows, expected):
            check_near(name, f"{title} t", row[0], t, 1)
            check_near(name, f"{title} r at t {t:.1f}", row[1], xc + a * math.cos(math.radians(t)), 0)
            check_near(name, f"{title} z at t {t:.1f}", row[2], zc + b * math.sin(math.radians(t)), 0)
    else:
        # Down from the arc's start to its lowest point (t = 270°), then up to its end: every
        # 100 mm strictly between, and the ends; side -1 inside the centre, +1 outside.
        z = lambda u: zc + b * math.sin(u)
        lowest = 1.5 * math.pi
        z0, z1 = z(u0), z(min(u1, lowest))
        expected = [(z0, -1)] + [(100.0 * k, -1) for k in range(math.ceil(z0 / 100) - 1, math.floor(z1 / 100), -1)
                                 if z1 + 1e-6 < 100 * k < z0 - 1e-6] + [(z1, -1)]
        if u1 > lowest + 1e-9:
            z2 = z(u1)
            expected += [(100.0 * k, 1) for k in range(math.floor(z1 / 100) + 1, math.ceil(z2 / 100) + 1)
                         if z1 + 1e-6 < 100 * k < z2 - 1e-6] + [(z2, 1)]
        if len(rows) != len(expected):
            fail(f"{name}: {title}: {len(rows)} points, expected {len(expected)} (every 100 mm and the ends)")
            return
        for row, (z, side) in zip(rows, expected):
            check_near(name, f"{title} z", row[2], z, 0)
            half = a * math.sqrt(max(0.0, 1 - ((z - zc) / b) ** 2))
            check_near(name, f"{title} r at z {z:.0f}", row[1], xc + (half if side > 0 else -half), 0)

designs = open("designs").read().split()
for name in designs:
    heading, tables = from_csv(f"{name}.csv")
    csv_rows = [r for _, rows in tables for r in rows]
    if not heading.startswith("坐标原点在水泵轴线与流道底面的交点"):
        fail(f"{name}: the CSV's first line states no datum: {heading[:40]}")
    # (a) every file the same figures, figure for figure.
    book = from_workbook(f"{name}.xlsx")
    if [t for t, _ in book] != [t for t, _ in tables]:
        fail(f"{name}: the workbook's tables {[t for t, _ in book]} are not the CSV's {[t for t, _ in tables]}")
    book_rows = [r for _, rows in book for r in rows]
    if [[float(c) for c in r] for r in csv_rows] != [[float(c) for c in r] for r in book_rows]:
        fail(f"{name}: the workbook's figures are not the CSV's")
    dxf_rows, dxf_texts = from_dxf(f"{name}.dxf")
    if dxf_rows != csv_rows:
        fail(f"{name}: the DXF's figures ({len(dxf_rows)} rows) are not the CSV's ({len(csv_rows)} rows)")
    if not any(e.dxf.text.startswith("坐标原点在水泵轴线与流道底面的交点") for e in dxf_texts):
        fail(f"{name}: the DXF's tables state no datum")
    if not any(re.match(r"第 \d+ 张 共 \d+ 张", e.dxf.text) and not e.dxf.text.startswith("第 1 ") for e in dxf_texts):
        fail(f"{name}: the DXF's table sheet is not numbered after the drawing's")
    sheet_rows = from_pdf_text(f"{name}.txt", "附录 B 放样坐标表")
    if sheet_rows != csv_rows:
        fail(f"{name}: the sheet's 附录 B figures ({len(sheet_rows)} rows) are not the CSV's ({len(csv_rows)} rows)")
    drawing_text = open(f"{name}-drawing.txt", encoding="utf-8").read()
    if "放样坐标表" not in drawing_text or not all(" ".join(r[:3]) in " ".join(drawing_text.split()) for r in csv_rows[:3]):
        fail(f"{name}: the drawing PDF's pages after the first carry no setting-out table")

    # (b) the figures against the walls worked out here.
    g = given(f"{name}.xlsx")
    t = math.tan(math.radians(g["theta"]))
    T = math.tan(math.radians(g["aa"]))
    D1, D0, H0, H1, H2, dd0 = g["D1"], g["D0"], g["H0"], g["H1"], g["H2"], g["dd0"]
    d = D1 - D0
    c = d * H1 - 2 * H1 ** 2 * t
    a1 = c * math.sqrt(d / (H1 ** 2 * d - 4 * H1 ** 3 * t)) / 2
    b1 = c / (d - 4 * H1 * t)
    a2, b2 = (D1 - dd0) / 2, H1 + H2
    s_start = math.atan2(t * b1, a1)
    s_tangent = math.atan2(b1, -a1 * T)
    bell = ((D1 / 2, H2 + b1), (a1, b1), math.pi + s_start, math.pi + max(s_tangent, math.pi / 2))
    cone = ((D1 / 2, H1 + H2), (a2, b2), math.pi, 1.5 * math.pi)
    titles = [t for t, _ in tables]
    expected_titles = ["喇叭管椭圆（参数 t 每 5°）", "喇叭管椭圆（高度 z 每 100 mm）", "导水锥椭圆（参数 t 每 5°）",
                       "导水锥椭圆（高度 z 每 100 mm）"]
    if titles[:4] != expected_titles or not titles[4].startswith("蜗壳外壁 R(φ)（φ 每 5° 及各断面"):
        fail(f"{name}: tables {titles}, expected the default steps {expected_titles} and the volute wall")
        continue
    check_ellipse(name, "bell t", tables[0][1], *bell, "t")
    check_ellipse(name, "bell z", tables[1][1], *bell, "z")
    check_ellipse(name, "cone t", tables[2][1], *cone, "t")
    check_ellipse(name, "cone z", tables[3][1], *cone, "z")

    # (c) the volute wall: every 5° and every station, R through the station radii.
    widths = station_widths(f"{name}.xlsx", "area-true" in name)
    if len(widths) != 12:
        fail(f"{name}: {len(widths)} stations with a width in the workbook, expected 12")
        continue
    phis = sorted(widths)
    R = monotone_wall(phis, [D1 / 2 + widths[p] for p in phis])
    rows = tables[4][1]
    printed_phis = [float(r[0]) for r in rows]
    expected_phis = sorted(set(range(0, 91, 5)) | set(phis))
    if printed_phis != expected_phis:
        fail(f"{name}: φ {printed_phis}, expected every 5° and the 12 stations {expected_phis}")
        continue
    for row in rows:
        phi = float(row[0])
        r = R(phi)
        check_near(name, f"R at φ {phi:g}", row[1], r, 0)
        check_near(name, f"a at φ {phi:g}", row[2], r - D1 / 2, 0)
        check_near(name, f"x at φ {phi:g}", row[3], r * math.sin(math.radians(phi)), 0)
        check_near(name, f"y at φ {phi:g}", row[4], r * math.cos(math.radians(phi)), 0)
        if phi in widths:
            check_near(name, f"R at the station φ {phi:g}", row[1], D1 / 2 + widths[phi], 0)
    print(f"{name}: {len(csv_rows)} rows alike in the CSV, DXF, workbook, sheet and drawing PDF")

sys.exit(1 if failures else 0)
EOF

[ "$failures" -eq 0 ] && echo "setout: all passed"
exit $((failures > 0))
