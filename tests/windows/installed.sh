#!/usr/bin/env bash
# The Windows installer and the portable zip, as a user meets them, under Wine: the installer
# run silently for the current user (no administrator rights), the installed programs run with
# only their own DLLs (inlet-calc.exe --version; inlet.exe --export of a design to PDF, read
# back with pdftotext, its fonts embedded), the Start-menu entry and the .inlet file type
# registered, the uninstaller removing them; then the zip unpacked into a folder with a space
# and Chinese in its name and run from there.
# Usage: installed.sh BUILD_WINDOWS   (after `cmake --build --preset windows --target windows-package`)
set -uo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a "$0" "$@"
build=$(realpath "$1")
wine_run=$build/wine-run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A Wine prefix of its own, made fresh, as a new user's; only the installed DLLs on the path.
export WINEPREFIX=$work/prefix WINEPATH= LC_ALL=C.UTF-8
win() { printf 'Z:%s' "${1//\//\\}"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\)\.\([0-9]*\)$/\1.0\2/p' "$build/CMakeCache.txt")
setup=$(ls "$build"/package/inlet-*-setup.exe)
zip=$(ls "$build"/package/inlet-*-windows-x64.zip)

passed=0 failed=0
check() {
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name" >&2; fi
}

# Runs the programs found in folder $1: the version, a design saved, its sheet as PDF.
programs_in() {
    local folder=$1
    [ "$("$wine_run" "$folder/inlet-calc.exe" --version | sed -n 1p)" = "inlet-calc $version" ] || { echo "no version from $folder" >&2; return 1; }
    "$wine_run" "$folder/inlet-calc.exe" --hk 2000 --save "$(win "$work/design.inlet")" >/dev/null || return 1
    rm -f "$work/sheet.pdf"
    "$wine_run" "$folder/inlet.exe" --export "$(win "$work/sheet.pdf")" "$(win "$work/design.inlet")" || return 1
    local text fonts
    text=$(pdftotext "$work/sheet.pdf" -)
    grep -qF '进水流道喇叭管、导水锥及蜗壳计算' <<<"$text" || { echo "the PDF's text is not read back" >&2; return 1; }
    grep -qF 6355 <<<"$text" || { echo "B is not in the PDF" >&2; return 1; }
    fonts=$(pdffonts "$work/sheet.pdf" | awk 'NR > 2 { print $(NF-4) }' | sort -u)
    [ "$fonts" = yes ] || { echo "fonts not all embedded: $(pdffonts "$work/sheet.pdf")" >&2; return 1; }
}

"$wine_run" "$(win "$setup")" /S /CurrentUser
wineserver -w
installed=$(find "$WINEPREFIX/drive_c/users" -type d -path '*/AppData/Local/Programs/进水流道设计' | head -n 1)
check "the installer installs for the current user" test -x "$installed/inlet.exe"
check "the installed programs run with their own DLLs" programs_in "$installed"
# 帮助 → 用户手册 opens manual\manual.zh-CN.md beside the programs (ui/ManualWindow.cpp).
check "the user manual is installed beside the programs" test -s "$installed/manual/manual.zh-CN.md"
menu() { [ -n "$(find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/进水流道设计.lnk')" ]; }
check "the Start-menu entry is there" menu
association() {
    local type command
    type=$("$wine_run" reg query 'HKCU\Software\Classes\.inlet' /ve)
    command=$("$wine_run" reg query 'HKCU\Software\Classes\InletPassage.Design\shell\open\command' /ve)
    grep -qF InletPassage.Design <<<"$type" && grep -qF 'inlet.exe' <<<"$command"
}
check "design files open in the installed program" association
uninstall() {
    "$wine_run" "$installed/uninstall.exe" /S /CurrentUser
    wineserver -w
    [ ! -e "$installed/inlet.exe" ] && ! menu && ! "$wine_run" reg query 'HKCU\Software\Classes\.inlet' >/dev/null 2>&1
}
check "the uninstaller removes the program, its menu entry and the file type" uninstall

portable="$work/便携 版"
mkdir -p "$portable"
(cd "$portable" && python3 -m zipfile -e "$zip" .)
check "the portable zip runs where it is unpacked" programs_in "$(ls -d "$portable"/inlet-*)"

echo "windows.installed: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
