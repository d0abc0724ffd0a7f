#!/usr/bin/env bash
# The default DXF of a design opened by the CAD programs engineers use: FreeCAD's own
# importer (freecadcmd) draws every elliptical arc as an arc, not as a whole ellipse, takes
# the dimensions as dimensions and the views' and the title block's texts as Chinese texts; LibreCAD prints it (dxf2pdf). A program that is not
# installed is skipped (status 77 when neither is).
# Usage: cad-clients.sh INLET_CALC
set -uo pipefail
calc=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
ran=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$calc" --hk 2000 --dxf "$work/passage.dxf" > /dev/null || fail "inlet-calc --dxf"

if command -v freecadcmd > /dev/null; then
    ran=1
    (cd "$work" && timeout 300 freecadcmd "$here/freecad_import.py" "$work/passage.dxf") 2>&1 | tr '\r\t' '\n\n' \
        | grep -a '^IMPORTED \|^TEXT ' > "$work/freecad.txt"
    count() { awk -v k="$1" '$2 == k { print $3 }' "$work/freecad.txt"; }
    [ "$(count BSplineCurve)" = 16 ] || fail "FreeCAD: $(count BSplineCurve) elliptical arcs, not 16: $(tr '\n' ' ' < "$work/freecad.txt")"
    [ -z "$(count Ellipse-closed)" ] || fail "FreeCAD drew $(count Ellipse-closed) whole ellipses"
    [ "$(count LinearDimension)" -ge 30 ] 2>/dev/null \
        || fail "FreeCAD: $(count LinearDimension) dimensions"
    # The views' titles and the title block's texts reach FreeCAD, in Chinese.
    for text in "平面图" "1—1 φ=0%%d断面" "进水流道型线图" "第 1 张 共 1 张" "±0.000"; do
        grep -aq "^TEXT $text" "$work/freecad.txt" || fail "FreeCAD did not import the text \"$text\""
    done
else
    echo "note: freecadcmd missing (Debian freecad); FreeCAD's import is not checked"
fi

if command -v librecad > /dev/null; then
    ran=1
    (cd "$work" && QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf -a passage.dxf) > /dev/null 2>&1
    [ -s "$work/passage.pdf" ] || fail "LibreCAD did not print the drawing"
else
    echo "note: librecad missing (Debian librecad); LibreCAD is not checked"
fi

[ $ran -eq 1 ] || exit 77
[ $failures -eq 0 ] && echo "CAD clients: all passed"
exit $((failures > 0))
