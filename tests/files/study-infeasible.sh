#!/usr/bin/env bash
# inlet-calc --optimise where no variant holds the constraints: exit 1, no best.inlet, and after
# "no variant holds every constraint" one line per broken constraint naming how many variants
# break it and the nearest to holding it with its figure ("no warnings": the fewest warnings and
# which checks), both numbers read again from study.csv; in Chinese under a Chinese locale. And
# where some variants hold a constraint: the best design holds it (read back with --checks) and
# its B is no larger than that of any row that holds it.
# Usage: study-infeasible.sh INLET_CALC
set -uo pipefail
calc=$1
python=/usr/bin/python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$work" || exit 1
grid=(--hk 2000 --vary hk=1800:2600:5 --vary aa=45:55:3)

if ! "$calc" "${grid[@]}" --study probe --optimise min-B --require "B<=1e9" > /dev/null 2> err \
    && grep -q "no optimiser" err; then
    echo "this build has no optimiser: nothing to test"
    exit 0
fi

# None holds: name|locale|requirements (;-separated)|lines expected in the message (;-separated)
while IFS='|' read -r name locale requires expected; do
    IFS=';' read -r -a texts <<< "$requires"
    args=()
    for t in "${texts[@]}"; do args+=(--require "$t"); done
    LC_ALL=$locale "$calc" "${grid[@]}" --study "$name" --evaluate checks --optimise min-B "${args[@]}" > out 2> err
    status=$?
    [ "$status" = 1 ] || fail "$name: status $status, not 1"
    [ ! -e "$name/best.inlet" ] || fail "$name: best.inlet written"
    IFS=';' read -r -a lines <<< "$expected"
    for line in "${lines[@]}"; do
        grep -qF -- "$line" err || fail "$name: '$line' not in: $(cat err)"
    done
    # The counts and the nearest variant against the table the study wrote.
    "$python" - "$name/study.csv" err "${texts[@]}" <<'PY' || fail "$name: the message against study.csv: $(cat err)"
import csv, re, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
message = open(sys.argv[2], encoding="utf-8").read()
assert len(rows) == 15, len(rows)
for text in sys.argv[3:]:
    line = next(l for l in message.splitlines() if text in l)
    counts = [int(n) for n in re.findall(r"\d+", line.split(text, 1)[1])[:2]]
    if text == "no warnings":
        warning = [r for r in rows if int(r["warnings"]) > 0]
        fewest = min(int(r["warnings"]) for r in rows)
        nearest = next(r for r in rows if r["variant"] in line)
        assert int(nearest["warnings"]) == fewest, (line, fewest)
        assert f"{nearest['variant']} (hk={nearest['hk']}, aa={nearest['aa']})" in line, line
        assert re.search(rf"[，,] ?{fewest}: ", line), (line, fewest)
        # Each check it warns of, by name and station.
        for warned in nearest["warned"].split("; "):
            check, subject = warned.split(":", 1)
            assert check in line and subject in line, (warned, line)
        broken = len(warning)
    else:
        figure, bound = re.match(r"(\w+)<=(.+)", text).groups()
        bound = float(bound)
        broken_rows = [r for r in rows if float(r[figure]) > bound]
        nearest = min(broken_rows, key=lambda r: float(r[figure]))
        assert nearest["variant"] in line and f"{figure} = {nearest[figure]}" in line, (line, nearest)
        broken = len(broken_rows)
    # "N of the 15" in English, "15 个方案中有 N 个" in Chinese.
    assert sorted(counts) == sorted([broken, 15]), (line, broken)
PY
done <<'TABLE'
no_warnings|C|no warnings|no variant holds every constraint (no_warnings): there is no best design;--require 'no warnings': 15 of the 15 variants warn;width-jump;negative-width a0
no_warnings_chinese|zh_CN.UTF-8|no warnings|没有一个方案满足全部约束;--require “no warnings”：15 个方案中有 15 个有警告；警告最少的是
bounds|C|B<=6000;v_max<=1.2|--require 'B<=6000': 14 of the 15 variants break it; the nearest is 014.inlet (hk=2600, aa=50), B = 6025;--require 'v_max<=1.2': 15 of the 15 variants break it
bounds_chinese|zh_CN.UTF-8|B<=6000;v_max<=1.2|--require “B<=6000”：15 个方案中有 14 个不满足；最接近的是 014.inlet (hk=2600, aa=50)，B = 6025
TABLE

# Sections missing: counted on a line of their own.
"$calc" --hk 2000 --vary hk=800:2600:5 --vary aa=45:55:3 --study sections --optimise min-B --require "v_max<=1.2" \
    > out 2> err
[ $? = 1 ] || fail "sections: not status 1"
grep -qF "6 of the 15 variants fail their run or draw sections that do not exist" err || fail "sections: $(cat err)"

# Some rows hold it: name|requirement|the figure and bound a row must meet
while IFS='|' read -r name require; do
    "$calc" "${grid[@]}" --study "$name" --optimise min-B --require "$require" > out 2> err \
        || { fail "$name: $(cat err)"; continue; }
    best=$(awk -F'\t' '$1 == "best" && $2 == "B" {print $3}' out)
    grep -q $'^best\tchecks\t.' out || fail "$name: the best design's checks not printed: $(cat out)"
    "$calc" --open "$name/best.inlet" --checks --json > best.json 2> err || { fail "$name: best.inlet: $(cat err)"; continue; }
    "$python" - best.json "$name/study.csv" "$best" "$require" <<'PY' || fail "$name: the best design"
import csv, json, re, sys
best = json.load(open(sys.argv[1]))
B = float(sys.argv[3])
figure, sign, bound = re.match(r"(\w+)([<>])=(.+)", sys.argv[4]).groups()
bound = float(bound)
def holds(value):
    return value <= bound if sign == "<" else value >= bound
assert float(best["B"]) == B, (best["B"], B)
velocities = [c["figure"] for c in best["checks"] if c["check"] == "section-velocity"]
own = {"B": B, "v_max": round(max(velocities), 3)}[figure]
assert holds(own), (figure, own, bound)
rows = list(csv.DictReader(open(sys.argv[2], encoding="utf-8")))
held = [r for r in rows if r["sections"] == "exist" and holds(float(r[figure]))]
assert held and len(held) < len(rows) or figure == "B", (len(held), len(rows))
assert all(B <= float(r["B"]) for r in held), (B, min(float(r["B"]) for r in held))
PY
done <<'TABLE'
vmax_at_most|v_max<=1.25
vmax_at_least|v_max>=1.4
B_at_most|B<=6200
TABLE

[ "$failures" = 0 ] && echo "all study-infeasible checks passed"
exit $((failures > 0))
