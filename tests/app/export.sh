#!/usr/bin/env bash
# inlet --export OUT DESIGN out of process, as on a machine without a display: each kind of
# file is written from a design saved by inlet-calc and holds what it should; a missing
# design, an unwritable target, a failing design and an unknown kind each end as the help
# says, without a partial file.
# Usage: export.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# No display server and no platform chosen: --export must not need either.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C "$inlet" "$@"; }

LC_ALL=C "$calc" --hk 2000 --save "$work/design.inlet" > "$work/results" || fail "inlet-calc --save"
LC_ALL=C "$calc" --save "$work/failing.inlet" > /dev/null 2>&1   # hk empty: fails at a30

# Every kind of file, recognised by its first bytes.
declare -A magic=([pdf]="PDF document" [odt]="OpenDocument Text" [dxf]="AutoCAD Drawing Exchange"
                  [svg]="SVG Scalable Vector Graphics" [png]="PNG image data")
for kind in pdf odt dxf svg png; do
    run --export "$work/out.$kind" "$work/design.inlet" 2> "$work/err"; status=$?
    [ $status -eq 0 ] || fail "$kind: status $status: $(cat "$work/err")"
    # Nothing but the program's own messages: no warnings of Qt's.
    [ ! -s "$work/err" ] || fail "$kind: said $(cat "$work/err")"
    file -b "$work/out.$kind" | grep -q "${magic[$kind]}" || fail "$kind: $(file -b "$work/out.$kind")"
done

# The sheet holds every result the window shows, and its page count on every page.
if command -v pdftotext > /dev/null; then
    pdftotext -layout "$work/out.pdf" "$work/sheet.txt"
    while IFS=$'\t' read -r name text; do
        grep -q -- "$text" "$work/sheet.txt" || fail "the sheet lacks $name $text"
    done < "$work/results"
    pages=$(pdfinfo "$work/out.pdf" | awk '/^Pages:/ { print $2 }')
    [ "$(grep -c "共 *$pages *页" "$work/sheet.txt")" -eq "$pages" ] || fail "not every page says 共 $pages 页"
else
    echo "note: pdftotext missing (Debian poppler-utils); the sheet's text is not checked"
fi

# A missing design: status 1, the reason, no file.
run --export "$work/missing.pdf" "$work/missing.inlet" 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "missing design: status $status"
grep -q "^inlet: cannot open '$work/missing.inlet': No such file or directory$" "$work/err" || fail "missing design: $(cat "$work/err")"
[ ! -e "$work/missing.pdf" ] || fail "missing design: a file was written"

# An unwritable target: status 1, the reason, nothing left behind.
for kind in pdf dxf png; do
    run --export "$work/no/such/folder/out.$kind" "$work/design.inlet" 2> "$work/err"; status=$?
    [ $status -eq 1 ] || fail "unwritable $kind: status $status"
    [ -s "$work/err" ] || fail "unwritable $kind: no reason given"
done
[ ! -e "$work/no" ] || fail "a folder was created"

# A failing design: the sheet shows how far the run came and the failure, and exits 1; no
# drawing is written.
run --export "$work/failing.pdf" "$work/failing.inlet" 2> "$work/err"; status=$?
[ $status -eq 1 ] || fail "failing design sheet: status $status"
[ "$(cat "$work/err")" = "inlet: division by zero computing the volute width a30 at φ = 30°
inlet: the calculation of '$work/failing.inlet' did not complete; '$work/failing.pdf' shows how far it came" ] ||
    fail "failing design sheet: $(cat "$work/err")"
if command -v pdftotext > /dev/null; then
    pdftotext "$work/failing.pdf" "$work/failing.txt"
    grep -q "除数为零" "$work/failing.txt" || fail "the failing design's sheet does not give the failure"
    grep -q "6355" "$work/failing.txt" && fail "the failing design's sheet shows a figure it never reached"
fi
run --export "$work/failing.dxf" "$work/failing.inlet" 2> /dev/null; status=$?
[ $status -eq 1 ] || fail "failing design drawing: status $status"
[ ! -e "$work/failing.dxf" ] || fail "failing design: a drawing was written"

# The widths drawn: the design file's choice, or --widths over it; the same file inlet-calc
# writes with the same widths.
LC_ALL=C "$calc" --hk 2000 --widths area-true --save "$work/area-true.inlet" --dxf "$work/calc-area-true.dxf" > /dev/null \
    || fail "inlet-calc --widths area-true"
run --export "$work/area-true.dxf" "$work/area-true.inlet" 2> "$work/err" || fail "area-true: $(cat "$work/err")"
cmp -s "$work/area-true.dxf" "$work/calc-area-true.dxf" || fail "the design's area-true widths are not drawn"
run --export "$work/computed.dxf" --widths computed "$work/area-true.inlet" 2> "$work/err" || fail "--widths computed"
cmp -s "$work/computed.dxf" "$work/out.dxf" || fail "--widths computed does not draw the computed widths"
run --export "$work/failing-area-true.dxf" --widths area-true "$work/failing.inlet" 2> /dev/null; status=$?
[ $status -eq 1 ] || fail "failing design with --widths area-true: status $status"
[ ! -e "$work/failing-area-true.dxf" ] || fail "failing design with --widths area-true: a drawing was written"
run --export "$work/bad.dxf" --widths smoothed "$work/design.inlet" 2> /dev/null; [ $? -eq 2 ] || fail "--widths smoothed"

# The solid, where this build makes solids: STEP and binary STL; none for a design without one.
if run --help | grep -q -- '--stl-binary'; then
    run --export "$work/out.step" "$work/design.inlet" 2> "$work/err" || fail "step: $(cat "$work/err")"
    grep -q "ADVANCED_FACE('inlet'" "$work/out.step" || fail "step: no face named inlet"
    run --export "$work/out.stl" --stl-binary "$work/design.inlet" 2> "$work/err" || fail "stl: $(cat "$work/err")"
    [ $(( ($(stat -c %s "$work/out.stl") - 84) % 50 )) -eq 0 ] || fail "stl: not binary STL"
    LC_ALL=C "$calc" --hk 1300 --save "$work/nosolid.inlet" > /dev/null
    run --export "$work/nosolid.step" "$work/nosolid.inlet" 2> "$work/err"; status=$?
    [ $status -eq 1 ] && grep -q 'no solid: hk 1300' "$work/err" || fail "no solid: status $status: $(cat "$work/err")"
    [ ! -e "$work/nosolid.step" ] || fail "no solid: a file was written"
    if command -v pdftotext > /dev/null; then
        pdftotext -layout "$work/out.pdf" - | grep '流道水体体积 111.05 m³' > /dev/null || fail "the sheet lacks the fluid volume"
    fi
fi

# An unknown kind, or no design: usage errors.
run --export "$work/out.txt" "$work/design.inlet" 2> /dev/null; [ $? -eq 2 ] || fail "unknown kind"
run --export "$work/out.pdf" 2> /dev/null; [ $? -eq 2 ] || fail "no design"

[ $failures -eq 0 ] && echo "inlet --export: all passed"
exit $((failures > 0))
