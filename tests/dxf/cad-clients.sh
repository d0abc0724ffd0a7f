#!/usr/bin/env bash
# The default DXF of a design opened by the CAD programs engineers use: FreeCAD's own
# importer (freecadcmd) draws every elliptical arc as an arc, not as a whole ellipse, takes
# the dimensions as dimensions and every text ezdxf finds as it is, in Chinese with the degree
# sign (no CAD code shown); LibreCAD prints it (dxf2pdf) with the line font that
# scripts/librecad-font makes for the labels' style FS, which holds every character of those
# labels. A program that is not installed is skipped (status 77 when neither is).
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
    # The views' titles and the title block's texts reach FreeCAD, in Chinese, ° as it is; and
    # the setting-out tables on the sheet after the drawing's.
    for text in "平面图" "1—1 φ=0°断面" "12—12 φ=90°断面" "A—A 断面（φ=90°）" "40°" "进水流道型线图" \
                "第 1 张 共 2 张" "±0.000" "放样坐标表" "喇叭管椭圆（参数 t 每 5°）" "φ (°)" "第 2 张 共 2 张"; do
        grep -aqx "TEXT $text" "$work/freecad.txt" || fail "FreeCAD did not import the text \"$text\""
    done
    # Every text of model space, each once: none lost after another text.
    /usr/bin/python3 -c '
import sys, ezdxf
for e in ezdxf.readfile(sys.argv[1]).modelspace().query("TEXT"):
    print("TEXT " + e.dxf.text)' "$work/passage.dxf" | sort > "$work/ezdxf-texts.txt"
    grep -a '^TEXT ' "$work/freecad.txt" | sort > "$work/freecad-texts.txt"
    cmp -s "$work/ezdxf-texts.txt" "$work/freecad-texts.txt" \
        || fail "FreeCAD's texts are not the file's: $(diff "$work/ezdxf-texts.txt" "$work/freecad-texts.txt" | head -5 | tr '\n' ' ')"
else
    echo "note: freecadcmd missing (Debian freecad); FreeCAD's import is not checked"
fi

if command -v librecad > /dev/null; then
    ran=1
    # LibreCAD draws style FS with the line font fs.lff in ~/.librecad/fonts: a home of its own.
    mkdir -p "$work/home"
    HOME="$work/home" "$here/../../scripts/librecad-font" > /dev/null || fail "scripts/librecad-font"
    /usr/bin/python3 -c '
import re, sys, ezdxf
glyphs = {int(m.group(1), 16) for m in re.finditer(r"^\[([0-9a-f]+)\]", open(sys.argv[2], encoding="utf-8").read(), re.M)}
texts = [e.dxf.text for e in ezdxf.readfile(sys.argv[1]).modelspace().query("TEXT") if e.dxf.style == "FS"]
missing = sorted({c for t in texts for c in t if ord(c) > 32 and ord(c) not in glyphs})
sys.exit("characters without a glyph: " + "".join(missing) if missing else 0)' \
        "$work/passage.dxf" "$work/home/.librecad/fonts/fs.lff" || fail "LibreCAD's font for FS"
    (cd "$work" && HOME="$work/home" QT_QPA_PLATFORM=offscreen timeout 120 librecad dxf2pdf -a passage.dxf) > /dev/null 2>&1
    [ -s "$work/passage.pdf" ] || fail "LibreCAD did not print the drawing"
else
    echo "note: librecad missing (Debian librecad); LibreCAD is not checked"
fi

[ $ran -eq 1 ] || exit 77
[ $failures -eq 0 ] && echo "CAD clients: all passed"
exit $((failures > 0))
