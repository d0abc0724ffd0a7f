#!/usr/bin/env bash
# inlet-calc.exe and inlet.exe under Wine, as a user on Windows meets them: arguments in
# Chinese and full-width digits, Windows paths (spaces, Chinese, backslashes, a drive root,
# UNC, a read-only file, names Windows reserves for devices), and inlet --export writing a PDF
# with its fonts embedded and a DXF through the output module.
# Usage: programs.sh WINE_RUN INLET_CALC_EXE INLET_EXE
set -uo pipefail
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a "$0" "$@"
wine_run=$1 calc=$2 inlet=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# inlet.exe on Windows' own platform, as a user runs it (Wine draws it on the X display).
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8

# The Windows name of a file on the Linux side: Wine shows / as drive Z:.
win() { printf 'Z:%s' "${1//\//\\}"; }

passed=0 failed=0
check() {  # check NAME COMMAND...: the command succeeds
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $name" >&2
    fi
}
# run STATUS PROGRAM ARGS...: runs the program under Wine, its output in $out and $err;
# true when it exits with STATUS.
run() {
    local want=$1
    shift
    "$wine_run" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    out=$(cat "$work/out") err=$(cat "$work/err")
    [ "$status" = "$want" ] || { echo "exit status $status, expected $want: $*" >&2; cat "$work/err" >&2; return 1; }
}
has() { grep -qF -- "$2" <<<"$1" || { echo "no '$2' in: $1" >&2; return 1; }; }
lacks() { ! grep -qF -- "$2" <<<"$1" || { echo "'$2' in: $1" >&2; return 1; }; }

# Full-width digits typed on the command line reach the program as typed (UTF-8 code page),
# so that the design check says they are not read, instead of a silent "700".
full_width() {
    run 0 "$calc" --hk 2000 --H0 ７００ --checks && has "$out" "full-width digits are not read" && has "$out" $'H\t2000'
}
check "full-width digits on the command line" full_width

# A folder with a space and Chinese in its name: save, open, a CSV batch and a DXF there.
folder="$work/设计 文件"
mkdir -p "$folder"
printf 'hk\n2000\n' >"$folder/批量 1.csv"
chinese_paths() {
    run 0 "$calc" --hk 2000 --save "$(win "$folder/泵站 1.inlet")" && [ -s "$folder/泵站 1.inlet" ] &&
        run 0 "$calc" --open "$(win "$folder/泵站 1.inlet")" && has "$out" $'B\t6355' &&
        run 0 "$calc" --csv "$(win "$folder/批量 1.csv")" && has "$out" "2000,0400" &&
        run 0 "$calc" --hk 2000 --dxf "$(win "$folder/型线 图.dxf")" && grep -q AC10 "$folder/型线 图.dxf"
}
check "paths with spaces and Chinese characters" chinese_paths

# Messages name a Windows path as it was typed, each backslash once.
backslashes() {
    run 2 "$calc" --csv 'C:\没有\这个 文件.csv' && has "$err" "'C:\没有\这个 文件.csv'" && lacks "$err" '\\'
}
check "messages keep a path's backslashes" backslashes

# A drive root, a UNC path that does not exist, a read-only file: refused, and said why.
drive_root() { run 1 "$calc" --hk 2000 --save 'C:\' && has "$err" "C:\\"; }
check "saving to a drive root is refused" drive_root
unc() { run 2 "$calc" --open '\\nohost\share\设计.inlet' && has "$err" '\\nohost\share\设计.inlet'; }
check "a UNC path that cannot be reached is refused" unc
read_only() {
    run 0 "$calc" --hk 1000 --save "$(win "$work/只读.inlet")" || return 1
    "$wine_run" cmd /c attrib +r "$(win "$work/只读.inlet")" >/dev/null 2>&1
    local before
    before=$(cat "$work/只读.inlet")
    run 1 "$calc" --hk 2000 --save "$(win "$work/只读.inlet")" && [ "$(cat "$work/只读.inlet")" = "$before" ]
}
check "a read-only design file is not replaced" read_only

# Names Windows keeps for devices are refused, never written "successfully" into a device.
for name in CON NUL.inlet aux.dxf 'com1.inlet'; do
    reserved() {
        local kind=--save
        [[ $1 == *.dxf ]] && kind=--dxf
        run 1 "$calc" --hk 2000 $kind "$(win "$work/$1")" && has "$err" "Windows reserves the name" && [ ! -e "$work/$1" ]
    }
    check "the reserved name $name is refused" reserved "$name"
done

# inlet --export: the sheet as PDF, its Chinese text read back and its fonts embedded; the
# drawing as DXF through the output module.
cp "$folder/泵站 1.inlet" "$work/design.inlet"
pdf() {
    run 0 "$inlet" --export "$(win "$work/计算书.pdf")" "$(win "$work/design.inlet")" || return 1
    local text fonts
    text=$(pdftotext "$work/计算书.pdf" -) fonts=$(pdffonts "$work/计算书.pdf" | awk 'NR > 2 { print $(NF-4) }' | sort -u)
    has "$text" '进水流道喇叭管、导水锥及蜗壳计算' && has "$text" 6355 && [ "$fonts" = yes ]
}
check "inlet --export writes the sheet as PDF with its fonts embedded" pdf
dxf() { run 0 "$inlet" --export "$(win "$work/型线图.dxf")" "$(win "$work/design.inlet")" && grep -q AC10 "$work/型线图.dxf"; }
check "inlet --export writes DXF through the output module" dxf
# What the Windows build leaves out is absent, not broken: --export refuses it and names what
# it writes, and --help names none of it.
left_out() {
    local format
    for format in svg xlsx step stl; do
        run 2 "$inlet" --export "$(win "$work/型线图.$format")" "$(win "$work/design.inlet")" &&
            has "$err" "--export writes .pdf, .odt, .dxf, .png, .csv files" && [ ! -e "$work/型线图.$format" ] || return 1
    done
    run 0 "$inlet" --help && lacks "$out" svg && lacks "$out" xlsx && lacks "$out" step && lacks "$out" stl
}
check "formats this build leaves out are refused and not named" left_out

echo "windows.programs: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
