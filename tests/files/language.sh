#!/usr/bin/env bash
# One language per program and locale: every line inlet-calc writes (the results, the checks,
# the JSON, the errors) and every message of inlet's command line is Chinese under a Chinese
# locale and English under C, never a mix; each with its exit status (2 usage, 1 failure). And
# the messages that once said the wrong thing: Qt's English inside a Chinese sentence, a system
# error by its number, a doubled prefix, "1 fields", JSON called not JSON, the help and the
# manual promising DXF blocks the file does not have and leaving formats out.
# Usage: language.sh INLET INLET_CALC MAN_DIR
set -uo pipefail
inlet=$1
calc=$2
man_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
unset LC_ALL LC_MESSAGES LANGUAGE DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# The Chinese locale, compiled into a folder of our own where the system has none, so that the
# C library and Qt see UTF-8 under it.
if ! locale -a 2> /dev/null | grep -qix 'zh_CN.utf8'; then
    mkdir -p "$work/locales"
    command -v localedef > /dev/null && localedef -i zh_CN -f UTF-8 "$work/locales/zh_CN.UTF-8" 2> /dev/null
    if [ "$(LOCPATH=$work/locales LC_ALL=zh_CN.UTF-8 locale charmap 2> /dev/null)" = UTF-8 ]; then
        export LOCPATH=$work/locales
    else
        echo "note: no zh_CN.UTF-8 locale (Debian's locales package compiles it); the language is still chosen by LANG"
    fi
fi

# judge LANGUAGE NAME: each line of standard input is in LANGUAGE (zh or en) and not the
# other. A Chinese line holds Chinese and no English word (four letters or more, outside the
# options, files and texts it quotes); an English line holds no Chinese.
judge() {
    local language=$1 name=$2
    python3 -c '
import re, sys
language, name = sys.argv[1], sys.argv[2]
cjk = re.compile("[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]")
quoted = re.compile("“[^”]*”|\x27[^\x27]*\x27|--?[A-Za-z][A-Za-z0-9-]*|/[^ ：，）]*|inlet-calc|inlet")
bad = 0
for line in sys.stdin.read().splitlines():
    if not line.strip():
        continue
    if language == "zh":
        rest = quoted.sub(" ", line)
        # Names a Chinese line quotes as they are: the values an option takes.
        names = {"JSON", "computed", "area", "true", "drawing", "step", "coarse", "medium", "fine", "tiny",
                 "spline", "ellipse", "polyline", "auto", "xlsx", "setout"}
        words = [w for w in re.findall("[A-Za-z]{4,}", rest) if w not in names]
        if not cjk.search(line) or words:
            print(f"FAIL: {name}: not Chinese alone: {line}"); bad += 1
    # An English line may quote the text of a box as it is (“3.5～5.0”).
    elif cjk.search(re.sub("“[^”]*”", " ", line)) or not re.search("[A-Za-z]{3,}", line):
        print(f"FAIL: {name}: not English alone: {line}"); bad += 1
sys.exit(1 if bad else 0)
' "$language" "$name" || failures=$((failures + 1))
}

# run NAME LANG STATUS COMMAND...: runs COMMAND under LANG, expecting STATUS; its standard
# output in $work/out, its standard error in $work/err.
run() {
    local name=$1 lang=$2 status=$3
    shift 3
    LANG=$lang timeout 60 "$@" > "$work/out" 2> "$work/err" < /dev/null; local got=$?
    [ $got -eq "$status" ] || fail "$name ($lang): exit status $got, not $status: $(cat "$work/err")"
}
# has NAME FILE TEXT: FILE holds TEXT.
has() { grep -qF -- "$3" "$2" || fail "$1: no '$3' in: $(cat "$2")"; }

LANG=C "$calc" --hk 2000 --save "$work/d.inlet" > /dev/null || fail "inlet-calc --save"
LANG=C "$calc" --hk 1300 --save "$work/h.inlet" > /dev/null || fail "inlet-calc --save, hk 1300"

# The checks: every MESSAGE in the locale's language, in the lines and in the JSON.
run "checks" zh_CN.UTF-8 0 "$calc" --hk 2000 --checks
[ "$(grep -c $'^check\t' "$work/out")" -ge 20 ] || fail "checks: too few: $(cat "$work/out")"
grep $'^check\t' "$work/out" | cut -f5 | judge zh "checks"
grep -v $'^check\t' "$work/out" | grep -qvP '^[A-Za-z0-9]+\t-?[0-9]+$' && fail "checks: a result line changed"
run "checks" C 0 "$calc" --hk 2000 --checks
grep $'^check\t' "$work/out" | cut -f5 | judge en "checks"
for lang in zh_CN.UTF-8 C; do
    run "checks as JSON" $lang 0 "$calc" --hk 1000 --checks --json
    python3 -c 'import json, sys; [print(c["message"]) for c in json.load(open(sys.argv[1]))["checks"]]' "$work/out" \
        > "$work/messages" || fail "checks as JSON ($lang): not JSON: $(cat "$work/out")"
    if [ "$lang" = C ]; then judge en "JSON messages" < "$work/messages"; else judge zh "JSON messages" < "$work/messages"; fi
done

# The errors: usage errors exit 2, failures 1, each in one language.
errors=(
    "an unknown option|2|--bogus"
    "an option without its text|2|--D0"
    "a design file that is not there|2|--open $work/missing.inlet"
    "a calculation that fails|1|--dxf $work/x.dxf"
    "no solid|1|--hk 1300 --step $work/x.step"
)
for row in "${errors[@]}"; do
    IFS='|' read -r name status args <<< "$row"
    # shellcheck disable=SC2086
    run "$name" zh_CN.UTF-8 "$status" "$calc" $args
    judge zh "$name" < "$work/err"
    # shellcheck disable=SC2086
    run "$name" C "$status" "$calc" $args
    judge en "$name" < "$work/err"
done

# A doubled prefix: the condition a design without a solid fails is said once.
run "no solid" C 1 "$calc" --hk 1300 --step "$work/x.step"
[ "$(grep -o 'no solid' "$work/err" | wc -l)" -eq 1 ] || fail "no solid, said twice: $(cat "$work/err")"
run "no solid, inlet" C 1 "$inlet" --export "$work/x.step" "$work/h.inlet"
[ "$(grep -o 'no solid' "$work/err" | wc -l)" -eq 1 ] || fail "no solid, said twice: $(cat "$work/err")"
run "no solid, inlet" zh_CN.UTF-8 1 "$inlet" --export "$work/x.stl" "$work/h.inlet"
[ "$(grep -o '无法生成实体' "$work/err" | wc -l)" -eq 1 ] || fail "no solid, said twice: $(cat "$work/err")"
judge zh "no solid, inlet" < "$work/err"

# inlet's own command line: Qt's English words are not shown inside a Chinese sentence.
run "inlet --bogus" zh_CN.UTF-8 2 "$inlet" --bogus
has "inlet --bogus" "$work/err" "inlet: 未知选项“--bogus”"
judge zh "inlet --bogus" < "$work/err"
run "inlet --bogus" C 2 "$inlet" --bogus
has "inlet --bogus" "$work/err" "inlet: unknown option '--bogus'"
judge en "inlet --bogus" < "$work/err"
for args in "--export" "--help=3" "--widths" "--format"; do
    # shellcheck disable=SC2086
    run "inlet $args" zh_CN.UTF-8 2 "$inlet" $args
    judge zh "inlet $args" < "$work/err"
    # shellcheck disable=SC2086
    run "inlet $args" C 2 "$inlet" $args
    judge en "inlet $args" < "$work/err"
done

# A closed standard output: what failed, and why, in words.
LANG=zh_CN.UTF-8 "$calc" --hk 2000 >&- 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "closed standard output (zh): exit status $status"
has "closed standard output" "$work/err" "inlet-calc: 无法写入标准输出：文件描述符无效（已关闭）"
judge zh "closed standard output" < "$work/err"
LANG=C "$calc" --hk 2000 >&- 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "closed standard output (C): exit status $status"
has "closed standard output" "$work/err" "inlet-calc: cannot write to standard output: Bad file descriptor (it is closed)"
grep -q '系统错误\|[0-9])$' "$work/err" && fail "closed standard output: a number for a reason: $(cat "$work/err")"

# A row of the wrong number of fields: "1 field", the header's count.
printf 'hk,aa\n2000\n2000,50,7\n' > "$work/rows.csv"
run "field count" C 0 "$calc" --csv "$work/rows.csv"
has "field count" "$work/out" '"line 2 has 1 field, the header has 2"'
has "field count" "$work/out" '"line 3 has 3 fields, the header has 2"'
run "field count" zh_CN.UTF-8 0 "$calc" --csv "$work/rows.csv"
has "field count" "$work/out" '第 2 行有 1 个字段，标题行有 2 个'

# JSON that this program does not read is still JSON: which limit it passes, and where.
python3 - "$work/d.inlet" "$work" << 'EOF'
import sys
text = open(sys.argv[1], encoding="utf-8").read()
at = text.index('"texts"')
open(sys.argv[2] + "/deep.inlet", "w").write(text[:at] + '"deep": ' + "[" * 100000 + "]" * 100000 + ", " + text[at:])
open(sys.argv[2] + "/huge.inlet", "w").write(text[:at] + '"x": 1e400, ' + text[at:])
EOF
run "nested 100,000 deep" C 2 "$calc" --open "$work/deep.inlet"
has "nested 100,000 deep" "$work/err" "holds JSON nested more than 1024 levels deep (at byte"
grep -q "not JSON" "$work/err" && fail "nested 100,000 deep: called not JSON"
run "nested 100,000 deep" zh_CN.UTF-8 2 "$calc" --open "$work/deep.inlet"
has "nested 100,000 deep" "$work/err" "嵌套超过 1024 层"
judge zh "nested 100,000 deep" < "$work/err"
run "1e400" C 2 "$calc" --open "$work/huge.inlet"
has "1e400" "$work/err" "holds the number 1e400, beyond the range a number can hold here (at byte"
run "1e400" zh_CN.UTF-8 1 "$inlet" --export "$work/x.pdf" "$work/huge.inlet"
has "1e400" "$work/err" "中的数 1e400 超出可表示的范围"
judge zh "1e400" < "$work/err"

# The help and the manual describe the DXF as it is written: no blocks per view, the layers
# it names, and every format --export writes.
LANG=C "$calc" --help > "$work/help"
grep -q 'STATION_\|SECTION, PLAN' "$work/help" && fail "--help promises blocks per view"
LANG=C "$calc" --hk 2000 --dxf "$work/p.dxf" > /dev/null || fail "--dxf"
for layer in OUTLINE CENTRE HIDDEN DIMENSION TEXT; do
    grep -q "$layer" "$work/help" || fail "--help does not name the layer $layer"
    grep -qx "$layer" "$work/p.dxf" || fail "the DXF has no layer $layer, which --help names"
done
# The blocks are the dimensions' (*D1 ...) and the layouts' alone.
python3 - "$work/p.dxf" << 'EOF' || fail "the DXF has blocks --help does not name"
import sys
lines = [l.strip() for l in open(sys.argv[1], encoding="utf-8")]
pairs = list(zip(lines[0::2], lines[1::2]))
names = []
for i, pair in enumerate(pairs):
    if pair == ("0", "BLOCK"):
        names += [next(value for code, value in pairs[i + 1:] if code == "2")]
others = [n for n in names if not (n.startswith("*D") or n.startswith("*Model_Space") or n.startswith("*Paper_Space"))]
print("blocks other than dimensions and layouts:", others) if others else None
sys.exit(1 if others or not names else 0)
EOF
grep -q 'STATION_\|SECTION, PLAN' "$man_dir/inlet-calc.1" && fail "inlet-calc(1) promises blocks per view"
sed -n '/^\.BI \\-\\-export " OUT"/,/^\.TP/p' "$man_dir/inlet.1" > "$work/export.1"
for extension in pdf odt xlsx dxf svg png step stl; do
    grep -q "^\.BR\? \.$extension\b" "$work/export.1" || fail "inlet(1) leaves .$extension out of --export"
done

[ $failures -eq 0 ] && echo "language: all passed"
exit $((failures > 0))
