#!/usr/bin/env bash
# Every box a user gives, set without the window: inlet-calc's --Ds --Q --L --rs and the CSV
# columns of the same names take their texts as the boxes do; each velocity names the Q it is
# for and scales with it; the passage length L is stated in mm with its datum and how it was
# read from the box, by one rule; a Q, Ds or L that gives no figure is said, and nothing is
# computed from it. Each row in English (LC_ALL=C) and in Chinese (LANG=zh_CN.UTF-8).
# Usage: boxes.sh INLET_CALC
set -uo pipefail
calc=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
unset LC_ALL LC_MESSAGES LANGUAGE LANG

# The Chinese locale, compiled into a folder of our own where the system has none.
if ! locale -a 2> /dev/null | grep -qix 'zh_CN.utf8'; then
    mkdir -p "$work/locales"
    command -v localedef > /dev/null && localedef -i zh_CN -f UTF-8 "$work/locales/zh_CN.UTF-8" 2> /dev/null
    [ "$(LOCPATH=$work/locales LC_ALL=zh_CN.UTF-8 locale charmap 2> /dev/null)" = UTF-8 ] && export LOCPATH=$work/locales
fi

# under LANGUAGE COMMAND...: COMMAND under the locale of LANGUAGE (en or zh).
under() {
    local language=$1
    shift
    if [ "$language" = zh ]; then LANG=zh_CN.UTF-8 "$@"; else LC_ALL=C "$@"; fi
}

# field FILE NAME SUBJECT: the figures (column 4) of the check lines NAME with SUBJECT.
field() { awk -F'\t' -v n="$2" -v s="$3" '$1 == "check" && $2 == n && $3 == s { print $4 }' "$1"; }
# message FILE NAME SUBJECT: their messages.
message() { awk -F'\t' -v n="$2" -v s="$3" '$1 == "check" && $2 == n && $3 == s { print $5 }' "$1"; }

for language in en zh; do
    # Q 20 against Q 15: every velocity 4/3 as high, each line naming its Q.
    under $language "$calc" --hk 2000 --checks > "$work/q15" || fail "$language: --hk 2000 --checks failed"
    under $language "$calc" --hk 2000 --Q 20 --checks > "$work/q20" || fail "$language: --hk 2000 --Q 20 --checks failed"
    python3 - "$work/q15" "$work/q20" "$language" << 'EOF' || failures=$((failures + 1))
import sys
def velocities(path):
    found = {}
    for line in open(path, encoding="utf-8"):
        parts = line.rstrip("\n").split("\t")
        if parts[0] == "check" and ("velocity" in parts[1]):
            found[(parts[1], parts[2])] = (float(parts[3]), parts[4])
    return found
a, b = velocities(sys.argv[1]), velocities(sys.argv[2])
language = sys.argv[3]
bad = 0
if len(a) != 14 or a.keys() != b.keys():
    print(f"FAIL: {language}: velocities at Q 15 {sorted(a)} and Q 20 {sorted(b)}"); bad += 1
for key in a:
    (va, ma), (vb, mb) = a[key], b.get(key, (0, ""))
    if abs(vb - va * 4 / 3) > 1e-9 * va:
        print(f"FAIL: {language}: {key} {vb} at Q 20 is not 4/3 of {va} at Q 15"); bad += 1
    if "Q = 15 m³/s" not in ma or "Q = 20 m³/s" not in mb:
        print(f"FAIL: {language}: {key} does not name its Q: {ma} | {mb}"); bad += 1
sys.exit(1 if bad else 0)
EOF

    # The passage length by its one rule (D 2200 mm): the length used, its datum, how it was
    # read, and a warning where that is not how the text looks.
    while IFS='|' read -r name text mm stated_en stated_zh; do
        under $language "$calc" --hk 2000 --checks --L "$text" > "$work/L" || fail "$language: --L '$text' failed"
        figure=$(field "$work/L" passage-length L)
        said=$(message "$work/L" passage-length L)
        if [ "$mm" = none ]; then
            [ -z "$figure" ] || fail "$language: $name: a length $figure presented where the box gives none"
            said=$(message "$work/L" box-not-usable L)
        elif [ "$figure" != "$mm" ]; then
            fail "$language: $name: L $figure, not $mm"
        fi
        stated=$stated_en
        [ $language = zh ] && stated=$stated_zh
        case "$said" in *"$stated"*) ;; *) fail "$language: $name: '$said' does not say '$stated'" ;; esac
    done << 'EOF'
the default range, 3.5 × D|3.5～5.0|7700|L = 7700 mm (3.5 × D, from “3.5～5.0”): the box says mm, but a number up to 20 is read as a multiple|L = 7700 mm（3.5 × D，取自“3.5～5.0”）：框中标注 mm，但不大于 20 的数按叶轮直径 D 的倍数读取
20, the largest multiple of D|20|44000|L = 44000 mm (20 × D, from “20”): the box says mm|L = 44000 mm（20 × D，取自“20”）：框中标注 mm
21, millimetres|21|21|from the pump axis to the passage inlet L = 21 mm (read as mm, from “21”)|（水泵轴线至流道进口）L = 21 mm（按 mm 读取，取自“21”）
millimetres|7700|7700|L = 7700 mm (read as mm, from “7700”)|L = 7700 mm（按 mm 读取，取自“7700”）
millimetres and their unit|7700 mm|7700|L = 7700 mm (read as mm, from “7700 mm”)|L = 7700 mm（按 mm 读取，取自“7700 mm”）
words after the number|7700 long|7700|from “7700 long”): the text after the number is not read|取自“7700 long”）：数字后的文字未读入
no number|abc|none|the passage length L (Text7) “abc” gives no length|流道长度 L（Text7）的文本“abc”读不出长度
zero|0|none|“0” gives no length|文本“0”读不出长度
below zero|-7700|none|“-7700” gives no length|文本“-7700”读不出长度
EOF
    # Whether it is a warning: only a text read as it looks is a plain figure.
    for text in 7700 "7700 mm"; do
        under $language "$calc" --hk 2000 --checks --json --L "$text" \
            | python3 -c 'import json,sys; c=[x for x in json.load(sys.stdin)["checks"] if x["check"]=="passage-length"]; sys.exit(0 if len(c)==1 and not c[0]["warning"] and c[0]["unit"]=="mm" else 1)' \
            || fail "$language: L '$text' read as it looks is not a plain figure in mm"
    done
    for text in 3.5～5.0 4 "7700 long"; do
        under $language "$calc" --hk 2000 --checks --json --L "$text" \
            | python3 -c 'import json,sys; c=[x for x in json.load(sys.stdin)["checks"] if x["check"]=="passage-length"]; sys.exit(0 if len(c)==1 and c[0]["warning"] else 1)' \
            || fail "$language: L '$text' read otherwise than it looks is no warning"
    done

    # Q <= 0, Ds <= 0: said, and no velocity from Q; the results themselves unchanged.
    under $language "$calc" --hk 2000 > "$work/plain"
    while IFS='|' read -r name option text subject velocities said_en said_zh; do
        under $language "$calc" --hk 2000 --checks "--$option=$text" > "$work/bad" || fail "$language: $name: the run failed"
        grep -v '^check' "$work/bad" | cmp -s - "$work/plain" || fail "$language: $name: the results changed"
        said=$(message "$work/bad" box-not-usable "$subject")
        expected=$said_en
        [ $language = zh ] && expected=$said_zh
        case "$said" in *"$expected"*) ;; *) fail "$language: $name: '$said' does not say '$expected'" ;; esac
        count=$(grep -c $'^check\t[a-z-]*velocity' "$work/bad")
        [ "$count" = "$velocities" ] || fail "$language: $name: $count velocity lines, not $velocities"
    done << 'EOF'
Q zero|Q|0|Q|0|the design flow Q (Text12) “0” is not a number above zero: no velocity is computed|设计流量 Q（Text12）的文本“0”不是大于零的数：不计算流速
Q below zero|Q|-15|Q|0|“-15” is not a number above zero: no velocity|文本“-15”不是大于零的数：不计算流速
Q no number|Q|abc|Q|0|“abc” is not a number above zero|文本“abc”不是大于零的数
Ds zero|Ds|0|Ds|14|the pump inlet diameter Ds (Text2) “0” is not a number above zero|泵进口直径 Ds（Text2）的文本“0”不是大于零的数
Ds below zero|Ds|-2205|Ds|14|“-2205” is not a number above zero: the cone top is not checked against it|文本“-2205”不是大于零的数：锥管顶部直径不与之校核
EOF
    # Ds and Q taken as the boxes take them: a number at the start, the box's unit after it.
    under $language "$calc" --hk 2000 --checks --Ds "2205 mm" --Q "15 m3/s" | grep -v '^check' | cmp -s - "$work/plain" \
        || fail "$language: Ds and Q with their units change the results"
    under $language "$calc" --hk 2000 --checks --Ds 1800 > "$work/ds"
    message "$work/ds" cone-top-against-pump-inlet Ds | grep -q 1800 || fail "$language: --Ds 1800 is not what the cone top is checked against"
    under $language "$calc" --hk 2000 --checks --Q "20,5" > "$work/comma"
    [ -n "$(field "$work/comma" text-read-otherwise Q)" ] || fail "$language: Q '20,5' read as 20 is not said"
    [ "$(field "$work/comma" velocity-at-cone-inlet Q)" = "$(field "$work/q20" velocity-at-cone-inlet Q)" ] \
        || fail "$language: Q '20,5' is not read as 20, as its box reads it"
    # rs: shown only, and the help says the solid does not use it.
    under $language "$calc" --hk 2000 --rs 0 > "$work/rs" && cmp -s "$work/rs" "$work/plain" || fail "$language: --rs changed the results"
done

# The CSV columns of the same names, echoed in the output; the checks column names each
# velocity's Q; a row whose Q gives none has no velocity in it.
printf 'hk,Ds,Q,L,rs\n2000,2205,15,7700,800\n2000,2205,20,3.5,800\n2000,1800,0,abc,0\n' > "$work/batch.csv"
LC_ALL=C "$calc" --csv "$work/batch.csv" --checks > "$work/batch.out" || fail "the CSV batch failed"
python3 - "$work/batch.out" << 'EOF' || failures=$((failures + 1))
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
bad = 0
def expect(ok, what):
    global bad
    if not ok:
        print("FAIL: CSV: " + what); bad += 1
expect(len(rows) == 3, f"{len(rows)} rows")
expect(list(rows[0])[:5] == ["hk", "Ds", "Q", "L", "rs"], f"the input columns are {list(rows[0])[:5]}")
expect([r["Q"] for r in rows] == ["15", "20", "0"] and [r["L"] for r in rows] == ["7700", "3.5", "abc"],
       "the input columns do not echo the input")
cells = [r["checks"].split("; ") for r in rows]
expect("velocity-at-cone-inlet=4.390 m/s (Q 15 m³/s)" in cells[0], f"row 1: {cells[0]}")
expect("velocity-at-cone-inlet=5.854 m/s (Q 20 m³/s)" in cells[1], f"row 2: {cells[1]}")
expect("passage-length:L=7700" in cells[0] and "passage-length:L=7700" in cells[1], "L 7700 and 3.5 × D")
expect(not any("velocity" in c for c in cells[2]), f"row 3 has velocities at Q 0: {cells[2]}")
expect("box-not-usable:Q=0" in cells[2] and "box-not-usable:L=0" in cells[2], f"row 3: {cells[2]}")
expect("cone-top-against-pump-inlet:Ds=2200" in cells[2], "row 3's cone top")
expect(all(r["B"] == "6355" and r["error"] == "" for r in rows), "the results changed")
sys.exit(1 if bad else 0)
EOF

# The help names the options and the rule of L, in the words of the manual.
LC_ALL=C "$calc" --help > "$work/help"
for option in --Ds --Q --L --rs; do
    grep -q -- "^  $option " "$work/help" || fail "the help lacks $option"
done
grep -q 'up to 20, is that$' "$work/help" && grep -q 'from the pump axis to the passage inlet' "$work/help" \
    || fail "the help does not state the rule of L"
grep -q 'H1 H2 D1 dd0 aa hk Ds Q L rs' "$work/help" || fail "the help does not list the CSV columns Ds Q L rs"

if [ $failures -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "every box set without the window, in both languages"
