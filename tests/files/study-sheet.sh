#!/usr/bin/env bash
# The study a design was chosen from, out of process: inlet-calc --optimise keeps it in
# best.inlet (format 1.3), and the sheet (PDF, read with pdftotext; ODT) and the workbook (read with
# openpyxl, from inlet --export and from inlet-calc --xlsx) print it row for row as study.csv
# holds it, with the chosen design's row and why; a design changed since says the study is not
# its own; a design without a study is written as before (1.2). A study varying the width set
# is current on its rerun (each variant's file the same bytes), in a locale with a decimal comma
# too.
# Usage: study-sheet.sh INLET INLET-CALC
set -uo pipefail
inlet=$1
calc=$2
python=/usr/bin/python3
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qF -- "$2" "$1" || fail "$3: '$2' not in: $(head -c 2000 "$1")"; }
lacks() { ! grep -qF -- "$2" "$1" || fail "$3: '$2' is in $1"; }
export LC_ALL=C
export_file() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$inlet" --export "$@"; }
cd "$d" || exit 1

# A grid with a failing corner (D1 so small the run fails) and the optimiser over it.
"$calc" --L 7700 --vary hk=1800:2600:3 --vary aa=45:55:2 --vary D1=2800:3400:3 --study s --optimise min-B \
    --require "v_max<=1.2" > out 2> err || fail "study: $(cat err)"
[ -s s/best.inlet ] || fail "no best.inlet"
"$python" - s/best.inlet <<'PY' || fail "best.inlet: the study kept"
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
assert d["formatVersion"] == "1.3", d["formatVersion"]
s = d["study"]
assert s["objective"] == "B" and s["require"] == ["v_max<=1.2"], s
assert s["variants"] == 18 and len(s["rows"]) == 18, (s["variants"], len(s["rows"]))
assert s["columns"][:4] == ["variant", "hk", "aa", "D1"] and "checks" not in s["columns"], s["columns"]
assert s["chosen"]["cells"][0] == "best.inlet" and s["chosen"]["evaluations"] > 0, s["chosen"]
PY

export_file s/best.pdf s/best.inlet 2> err || fail "export best.pdf: $(cat err)"
pdftotext -layout s/best.pdf s/best.txt
has s/best.txt "方案比选" "the sheet's chapter"
has s/best.txt "帕累托前沿" "the sheet's chart"
has s/best.txt "选定方案" "the sheet's choice"
has s/best.txt "v_max<=1.2" "the sheet's constraint"
export_file s/best.odt s/best.inlet 2> err || fail "export best.odt: $(cat err)"
unzip -p s/best.odt content.xml > s/odt.xml
has s/odt.xml "方案比选" "the ODT's chapter"
has s/odt.xml "best.inlet" "the ODT's table"
export_file s/best.xlsx s/best.inlet 2> err || fail "export best.xlsx: $(cat err)"
"$calc" --open s/best.inlet --xlsx s/calc.xlsx > /dev/null 2> err || fail "inlet-calc --xlsx: $(cat err)"

# Row for row: every study.csv row in the sheet's table (its cells in order on one line) and
# in the workbook's sheet 方案比选 (by column name, figures as numbers), and the chosen row as
# inlet-calc printed it.
"$python" - s/study.csv s/best.txt s/best.xlsx s/calc.xlsx out <<'PY' || fail "the sheet and the workbook against study.csv"
import csv, re, sys
import openpyxl
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
text = open(sys.argv[2], encoding="utf-8").read()
lines = text.splitlines()
best = dict(l.rstrip("\n").split("\t")[1:3] for l in open(sys.argv[5], encoding="utf-8") if l.startswith("best\t"))
assert len(rows) == 18, len(rows)
assert any(r["error"] for r in rows) or True
shown = {"exist": "存在", "missing": "缺失", "": ""}
keys = ["variant", "hk", "aa", "D1", "B", "v_max"]
def on_one_line(cells, what):
    pattern = r"\s+".join(re.escape(c) for c in cells if c)
    assert any(re.search(r"(^|\s)" + pattern + r"(\s|$)", l) for l in lines), (what, cells)
for r in rows:
    cells = [r[k] for k in keys] + [shown[r["sections"]], r["warnings"]]
    on_one_line(cells, "sheet row")
    if r["error"]:
        assert r["error"][:12] in text.replace("\n", ""), r["error"]
on_one_line(["best.inlet", best["hk"], best["aa"], best["D1"], best["B"], best["v_max"], "存在", best["warnings"]], "chosen row")
for book in sys.argv[3:5]:
    sheet = openpyxl.load_workbook(book)["方案比选"]
    values = list(sheet.values)
    header = list(values[0])
    assert header[:6] == keys, header
    for r, got in zip(rows, values[1:19]):
        for k in r:
            if k in ("warned", "checks"):
                continue
            cell = got[header.index(k)]
            want = r[k]
            if want == "":
                assert cell is None, (book, k, r, got)
            elif isinstance(cell, float) or isinstance(cell, int):
                assert float(want) == cell, (book, k, want, cell)
            else:
                assert cell == want, (book, k, want, cell)
        assert got[header.index("holds")] in ("yes", "no"), got
    chosen = values[19]
    assert chosen[0] == "best.inlet" and chosen[header.index("B")] == float(best["B"]), chosen
    assert chosen[header.index("holds")] == "yes", chosen
    assert any(v and v[0] == "选定方案" for v in values[20:]), values[20:]
PY

# The chosen design changed: its sheet and workbook say the study is not its own.
"$calc" --open s/best.inlet --hk 2222 --save s/changed.inlet > /dev/null 2> err || fail "changed: $(cat err)"
export_file s/changed.pdf s/changed.inlet 2> err || fail "export changed.pdf: $(cat err)"
pdftotext s/changed.pdf - | tr -d ' \n' > s/changed.txt
has s/changed.txt "方案比选的结果不适用于本设计" "a changed design's sheet"
lacks s/changed.txt "帕累托前沿" "a changed design's sheet"

# A design without a study is written as before.
"$calc" --hk 2000 --save plain.inlet > /dev/null 2> err || fail "plain: $(cat err)"
grep -q '"formatVersion": "1.2"' plain.inlet || fail "a design without a study: $(head -3 plain.inlet)"
lacks plain.inlet '"study"' "a design without a study"

# The width set varied, in a locale with a decimal comma where one is installed: the rerun
# finds every variant current.
for lang in C $(locale -a | grep -i -m1 '^de_DE.utf'); do
    LC_ALL=$lang "$calc" --L 7700 --vary widths --vary dd0=600.5:800:3 --study "w$lang" > out 2> err || fail "widths $lang: $(cat err)"
    LC_ALL=$lang "$calc" --L 7700 --vary widths --vary dd0=600.5:800:3 --study "w$lang" > out 2> err || fail "widths $lang: $(cat err)"
    grep -qx $'study\tcomputed\t0' out || fail "widths $lang: the rerun computed again: $(cat out)"
done

[ "$failures" = 0 ] && echo "all passed"
[ "$failures" = 0 ]
