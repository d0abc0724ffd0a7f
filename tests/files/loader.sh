#!/usr/bin/env bash
# The modules (inlet-output, inlet-solid) found where an installed program looks for them, and a
# program without its module says which module is missing instead of writing nothing silently:
# the programs copied out of the build tree (where the build tree's modules are never used),
# alone, with the module beside them, and in the installed layout bin/ + lib/inlet/.
# Usage: loader.sh INLET INLET_CALC MODULES_FOLDER
set -uo pipefail
inlet=$1 calc=$2 modules=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

passed=0 failed=0
# row NAME LAYOUT PROGRAM MODULE STATUS EXPECTED_TEXT ARGS...: the program in a layout of its
# own ("alone", "beside": the module in its folder, "installed": bin/ and lib/inlet/), run with
# ARGS in $dir; passes when it exits with STATUS and its output holds EXPECTED_TEXT.
row() {
    local name=$1 layout=$2 program=$3 module=$4 want=$5 text=$6
    shift 6
    dir="$work/$name"
    mkdir -p "$dir/bin"
    cp "$program" "$dir/bin/"
    case $layout in
        beside) cp "$modules/$module" "$dir/bin/" ;;
        installed) mkdir -p "$dir/lib/inlet" && cp "$modules/$module" "$dir/lib/inlet/" ;;
    esac
    (cd "$dir" && "$dir/bin/$(basename "$program")" "$@") >"$dir/out" 2>&1
    local status=$?
    if [ "$status" = "$want" ] && { [ -z "$text" ] || grep -qF -- "$text" "$dir/out"; }; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name: exit status $status (expected $want), expected '$text' in:" >&2
        cat "$dir/out" >&2
    fi
}

design="$work/design.inlet"
"$calc" --hk 2000 --save "$design" >/dev/null || { echo "FAIL: no design" >&2; exit 1; }

if [ -e "$modules/libinlet-solid.so" ]; then
    row calc-alone alone "$calc" libinlet-solid.so 1 "the module inlet-solid is missing" --hk 2000 --step out.step
    [ ! -e "$work/calc-alone/out.step" ] || { failed=$((failed + 1)); echo "FAIL: calc-alone wrote a STEP" >&2; }
    LC_ALL=zh_CN.UTF-8 row calc-alone-chinese alone "$calc" libinlet-solid.so 1 "找不到模块 inlet-solid" \
        --hk 2000 --step out.step
    row calc-beside beside "$calc" libinlet-solid.so 0 "" --hk 2000 --step out.step
    [ -s "$work/calc-beside/out.step" ] || { failed=$((failed + 1)); echo "FAIL: calc-beside wrote no STEP" >&2; }
    row calc-installed installed "$calc" libinlet-solid.so 0 "" --hk 2000 --step out.step
    [ -s "$work/calc-installed/out.step" ] || { failed=$((failed + 1)); echo "FAIL: calc-installed wrote no STEP" >&2; }
fi
row inlet-alone alone "$inlet" libinlet-output.so 1 "inlet-output" --export out.dxf "$design"
[ ! -e "$work/inlet-alone/out.dxf" ] || { failed=$((failed + 1)); echo "FAIL: inlet-alone wrote a DXF" >&2; }
row inlet-beside beside "$inlet" libinlet-output.so 0 "" --export out.dxf "$design"
grep -q AC10 "$work/inlet-beside/out.dxf" 2>/dev/null || { failed=$((failed + 1)); echo "FAIL: inlet-beside wrote no DXF" >&2; }
row inlet-installed installed "$inlet" libinlet-output.so 0 "" --export out.dxf "$design"
grep -q AC10 "$work/inlet-installed/out.dxf" 2>/dev/null || { failed=$((failed + 1)); echo "FAIL: inlet-installed wrote no DXF" >&2; }

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
