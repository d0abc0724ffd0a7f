#!/usr/bin/env bash
# The workbooks of inlet-calc keep everything or refuse, read back with openpyxl: a text
# longer than a cell holds comes back whole from its cell and the cells continuing it (Chinese
# and characters beyond the BMP, counted as Excel counts them); a batch longer than a sheet
# goes on in the next sheet with its header; the CSV printed with --xlsx is the CSV printed
# without it; a workbook that cannot be written exits 1, is named, and leaves the old file
# whole and nothing beside it.
#
# Usage: workbook.sh INLET_CALC
set -uo pipefail
calc=$1
python=/usr/bin/python3
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
export LC_ALL=C
failures=0

fail()
{
    echo "FAIL $case: $*"
    failures=$((failures + 1))
}

# A batch's CSV: with --xlsx the same bytes on standard output as without.
same_csv()
{
    local csv=$1 printed=$2
    "$calc" --csv "$csv" >"$work/plain.out" 2>/dev/null
    cmp -s "$printed" "$work/plain.out" || fail "the CSV printed with --xlsx differs from the CSV without it"
}

# ---- Long texts: each joined from its cell and its continuation exactly.
"$python" - "$work" <<'EOF'
import json, sys
work = sys.argv[1]
rows = {
    # name: (D, hk); Excel counts UTF-16 units: 界 one, 𠀀 two
    "one-cell-at-most": ("2200" + "a" * 32763, "2000"),               # 32,767: one cell
    "one-over": ("2200" + "a" * 32764, "2000"),                        # 32,768: two
    "astral-at-the-cut": ("2200" + "a" * 32762 + "𠀀" + "b", "2000"),  # the pair not cut
    "three-pieces": ("2200" + "界" * 40000 + "𠀀" * 20000 + "x", "2000"),
    "two-long-cells": ("2200" + "𠀀" * 17000, "2000" + "中" * 40000),
}
json.dump(rows, open(work + "/long.json", "w"), ensure_ascii=False)
with open(work + "/long.csv", "w", encoding="utf-8") as f:
    f.write("D,hk\n")
    for d, hk in rows.values():
        f.write("%s,%s\n" % (d, hk))
EOF
case=long-texts-batch
"$calc" --csv "$work/long.csv" --xlsx "$work/long.xlsx" >"$work/long.out" 2>"$work/err" || fail "exit $? $(cat "$work/err")"
same_csv "$work/long.csv" "$work/long.out"

case=long-texts-design
"$calc" --hk 2000 --save "$work/d.inlet" >/dev/null || fail "cannot save a design"
"$python" - "$work" <<'EOF'
import json, sys
work = sys.argv[1]
d = json.load(open(work + "/d.inlet", encoding="utf-8"))
# The longest texts a design holds: 65,536 characters as the window counts them (UTF-16).
d["info"]["notes"] = "备注𠀀x" * 13107 + "y"
d["info"]["project"] = "泵站" * 20000
d["texts"]["D"] = "2200" + "𠀀" * 32766
json.dump(d, open(work + "/d.inlet", "w", encoding="utf-8"), ensure_ascii=False)
EOF
"$calc" --open "$work/d.inlet" --xlsx "$work/design.xlsx" >/dev/null 2>"$work/err" || fail "exit $? $(cat "$work/err")"

"$python" - "$work" <<'EOF' || failures=$((failures + 1))
import json, sys
import openpyxl
from openpyxl.utils.cell import column_index_from_string, coordinate_from_string
work = sys.argv[1]
LIMIT = 32767
bad = []

def excel_length(text):
    return len(text.encode("utf-16-le")) // 2

def joined(row, col, table_width):
    """The text of row[col] joined with its continuation right of the table."""
    cells = list(row)
    for cell in cells:
        if isinstance(cell, str) and excel_length(cell) > LIMIT:
            bad.append("a cell of %d characters" % excel_length(cell))
    text = cells[col] or ""
    groups, group = [], []
    for cell in cells[table_width + 1:] + [None]:
        if cell is None:
            if group:
                groups.append(group)
            group = []
        else:
            group.append(cell)
    for group in groups:
        letters, number = coordinate_from_string(group[0])
        if column_index_from_string(letters) - 1 == col:
            text += "".join(group[1:])
    return text

def check(case, got, want):
    if got != want:
        bad.append("%s: %d characters back, %d written" % (case, excel_length(got), excel_length(want)))

rows = json.load(open(work + "/long.json", encoding="utf-8"))
sheet = openpyxl.load_workbook(work + "/long.xlsx")["批量计算"]
read = list(sheet.iter_rows(values_only=True))
header = [c for c in read[0] if c is not None]
width = len(header)
for (case, (d, hk)), row in zip(rows.items(), read[1:]):
    check("long-texts-batch " + case + " D", joined(row, 0, width), d)
    check("long-texts-batch " + case + " hk", joined(row, 1, width), hk)
    if row[header.index("a1")] != 400:
        bad.append("long-texts-batch %s: a1 is %r" % (case, row[header.index("a1")]))
if len(read) != 1 + len(rows):
    bad.append("long-texts-batch: %d rows" % len(read))

design = json.load(open(work + "/d.inlet", encoding="utf-8"))
book = openpyxl.load_workbook(work + "/design.xlsx")
about = book["设计信息"]
for row in about.iter_rows():
    values = [c.value for c in row]
    for key, caption in (("notes", "备注"), ("project", "工程名称")):
        if values[0] == caption:
            check("long-texts-design " + key, joined(values, 1, 2), design["info"][key])
given = {r[0]: r for r in book["给定参数"].iter_rows(values_only=True)}
check("long-texts-design box D", joined(given["D"], 2, 4), design["texts"]["D"])
# The first continuation of a sheet carries a note saying how to read it.
notes = [c.comment.text for row in about.iter_rows() for c in row if c.comment]
if not notes or "32767" not in notes[0]:
    bad.append("long-texts-design: no note beside the continuation: %r" % notes)

for b in bad:
    print("FAIL", b)
sys.exit(1 if bad else 0)
EOF

# ---- A batch longer than a sheet: 1,048,575 designs a sheet, the rest on the next one. Rows
# whose field count is wrong cost little to compute and to write.
case=sheet-boundary
{
    echo hk
    awk 'BEGIN { for (i = 0; i < 1048577; i++) print "1,2" }'
} >"$work/edge.csv"
"$calc" --csv "$work/edge.csv" --xlsx "$work/edge.xlsx" >"$work/edge.out" 2>"$work/err" || fail "exit $? $(cat "$work/err")"
same_csv "$work/edge.csv" "$work/edge.out"
"$python" - "$work/edge.xlsx" <<'EOF' || failures=$((failures + 1))
import re, sys, zipfile
import openpyxl
path = sys.argv[1]
bad = []
book = openpyxl.load_workbook(path, read_only=True)
if book.sheetnames != ["批量计算", "批量计算 2"]:
    bad.append("sheets %r" % book.sheetnames)
second = list(book["批量计算 2"].iter_rows(values_only=True))
first_header = next(book["批量计算"].iter_rows(values_only=True))
if second[0] != first_header or second[0][0] != "hk":
    bad.append("the second sheet's header is %r" % (second[0][:3],))
errors = [r[-1] for r in second[1:]]
if errors != ["line %d has 2 fields, the header has 1" % n for n in (1048577, 1048578)]:
    bad.append("the second sheet holds %r" % errors)
# The first sheet, streamed: Excel's 1,048,576 rows, the last the design of line 1,048,576.
rows, tail = 0, b""
with zipfile.ZipFile(path).open("xl/worksheets/sheet1.xml") as xml:
    while piece := xml.read(1 << 20):
        rows += (tail[-8:] + piece).count(b"<row ") - tail[-8:].count(b"<row ")
        tail = (tail + piece)[-4096:]
last = re.findall(rb'<row r="(\d+)".*?line (\d+) has', tail)
if rows != 1048576 or not last or last[-1] != (b"1048576", b"1048576"):
    bad.append("the first sheet has %d rows, ending %r" % (rows, last[-1:]))
for b in bad:
    print("FAIL sheet-boundary:", b)
sys.exit(1 if bad else 0)
EOF
rm -f "$work"/edge.*

# ---- Workbooks that cannot be written: exit 1, the file named, the old file whole, nothing
# left beside it. A full disk is a file-size limit (ulimit -f, KiB), which holds for root too.
"$calc" --hk 2000 --xlsx "$work/old.xlsx" >/dev/null || fail "no old workbook"
cp "$work/old.xlsx" "$work/old.copy"
awk 'BEGIN { print "hk,dd0"; for (i = 0; i < 3000; i++) printf "%d,700\n", 1500 + i % 900 }' >"$work/batch.csv"
mkdir "$work/out"
cp "$work/old.xlsx" "$work/out/old.xlsx"
touch "$work/out/a-file"

# name | limit (KiB) | arguments ({} the target)
while IFS='|' read -r case limit args target; do
    [ -z "$case" ] && continue
    [ -e "$work/out/old.xlsx" ] || cp "$work/old.xlsx" "$work/out/old.xlsx"
    before=$(ls -A "$work/out")
    # Standard output through a pipe, which no file-size limit stops.
    # shellcheck disable=SC2086
    (ulimit -f "$limit"; exec "$calc" ${args//\{\}/$target}) 2>"$work/err" </dev/null | cat >"$work/printed"
    status=${PIPESTATUS[0]}
    [ "$status" = 1 ] || fail "exit status $status, not 1"
    grep -qF "cannot write '$target'" "$work/err" || fail "the file is not named: $(cat "$work/err")"
    cmp -s "$work/out/old.xlsx" "$work/old.copy" || fail "the old workbook was changed"
    [ "$(ls -A "$work/out")" = "$before" ] || fail "left behind: $(ls -A "$work/out")"
    case $args in --csv*) same_csv "$work/batch.csv" "$work/printed" ;; esac
done <<EOF
full-disk-batch|300|--csv $work/batch.csv --xlsx {}|$work/out/old.xlsx
full-disk-design|4|--hk 2000 --xlsx {}|$work/out/old.xlsx
under-a-file-batch|unlimited|--csv $work/batch.csv --xlsx {}|$work/out/a-file/x.xlsx
under-a-file-design|unlimited|--hk 2000 --xlsx {}|$work/out/a-file/x.xlsx
EOF

# Of two workbooks, the one that cannot be written is named; the other is written whole.
case=two-workbooks-one-fails
"$calc" --csv "$work/batch.csv" --xlsx "$work/fine.xlsx" --xlsx "$work/out/a-file/x.xlsx" >"$work/printed" 2>"$work/err"
status=$?
[ "$status" = 1 ] || fail "exit status $status, not 1"
grep -qF "cannot write '$work/out/a-file/x.xlsx'" "$work/err" || fail "the file is not named: $(cat "$work/err")"
same_csv "$work/batch.csv" "$work/printed"
"$python" -c '
import sys, openpyxl
rows = openpyxl.load_workbook(sys.argv[1], read_only=True)["批量计算"].max_row
sys.exit(0 if rows == 3001 else "%d rows" % rows)' "$work/fine.xlsx" || fail "the other workbook is not whole"

# A folder the program may not write to (as root every folder is writable: left out).
case=read-only-folder
if [ "$(id -u)" != 0 ]; then
    chmod a-w "$work/out"
    "$calc" --csv "$work/batch.csv" --xlsx "$work/out/old.xlsx" >/dev/null 2>"$work/err"
    status=$?
    [ "$status" = 1 ] || fail "exit status $status, not 1"
    cmp -s "$work/out/old.xlsx" "$work/old.copy" || fail "the old workbook was changed"
    chmod u+w "$work/out"
fi

if [ "$failures" != 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all passed"
