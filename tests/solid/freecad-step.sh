#!/usr/bin/env bash
# The STEP file of a design opened by FreeCAD (freecadcmd): one closed, valid solid of the
# volume inlet-calc states. Skipped (status 77) where FreeCAD is not installed
# (scripts/install-deps cad).
# Usage: freecad-step.sh INLET_CALC
set -uo pipefail
calc=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v freecadcmd > /dev/null || { echo "note: freecadcmd missing (Debian freecad)"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

LC_ALL=C "$calc" --hk 2000 --checks --step "$work/p.step" > "$work/out" || fail "inlet-calc --step"
stated=$(awk -F'\t' '$2 == "fluid-volume" { print $4 }' "$work/out")
(cd "$work" && timeout 300 freecadcmd "$here/freecad_step.py" "$work/p.step") 2>&1 | tr '\r' '\n' \
    | grep -a '^STEP ' > "$work/freecad.txt"
value() { awk -v k="$1" '$2 == k { print $3 }' "$work/freecad.txt"; }
[ "$(value solids)" = 1 ] || fail "FreeCAD reads $(value solids) solids: $(tr '\n' ' ' < "$work/freecad.txt")"
[ "$(value closed)" = 1 ] || fail "FreeCAD finds an open shell"
[ "$(value valid)" = 1 ] || fail "FreeCAD finds the shape not valid"
awk -v a="$(value volume)" -v b="$stated" 'BEGIN { r = a / (b * 1e9); exit !(r > 0.9999 && r < 1.0001) }' \
    || fail "FreeCAD's volume $(value volume) mm³, inlet-calc states $stated m³"
echo "FreeCAD: one closed valid solid of $(value volume) mm³ (inlet-calc: $stated m³)"
