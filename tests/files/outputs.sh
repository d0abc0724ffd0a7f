#!/usr/bin/env bash
# One command, one set of distinct files: a file a command writes that it also reads, or
# writes twice, however it is named (another spelling, a symbolic or hard link), is a usage
# error naming both options, and nothing is written. Of several files, each is written that
# can be and each that cannot is named. A format comes from the extension; a choice the
# format does not offer, and '-' as a file to write, are usage errors. Each row runs under
# LANG=C and LANG=zh_CN.UTF-8, checks the exit status and the message, and that every file
# there before is left whole and no other appeared.
# Usage: outputs.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
unset LC_ALL LC_MESSAGES LANGUAGE DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
cd "$work" || exit 1

has_solid=no
"$calc" --help | grep -q -- '--step FILE' && has_solid=yes
has_xlsx=no
"$calc" --help | grep -q -- '--xlsx FILE' && has_xlsx=yes

# The files each row starts from, kept in pristine/ to compare with.
mkdir pristine
LANG=C "$calc" --hk 2000 --save pristine/d.inlet > /dev/null || fail "inlet-calc --save"
printf 'hk\n2000\n2100\n' > pristine/in.csv
echo old > pristine/old.dxf
echo old > pristine/ok.step
echo old > pristine/ok.stl
echo old > pristine/ok.xlsx
setup() {
    rm -rf run && mkdir run && cp pristine/* run/
    ln -s d.inlet run/link.inlet
    ln -s d.inlet run/d.dxf
    ln -s in.csv run/link.csv
    ln run/d.inlet run/hard.inlet
    ln -s missing.dxf run/dangling.dxf
    mkdir run/sub
}
# Every file of pristine/ still whole in run/, and nothing but what setup() made.
whole() {
    local name=$1 file
    for file in pristine/*; do
        cmp -s "$file" "run/${file#pristine/}" || fail "$name: ${file#pristine/} was changed"
    done
    local held
    held=$(cd run && ls -A | tr '\n' ' ')
    [ "$held" = "d.dxf d.inlet dangling.dxf hard.inlet in.csv link.csv link.inlet ok.step ok.stl ok.xlsx old.dxf sub " ] ||
        fail "$name: the folder holds $held"
}

# refused NAME STATUS ENGLISH CHINESE COMMAND...: in each language the command exits with
# STATUS, its message on standard error, and leaves every file as it was.
refused() {
    local name=$1 status=$2 english=$3 chinese=$4 lang message got
    shift 4
    for lang in C zh_CN.UTF-8; do
        setup
        message=$english
        [ $lang = C ] || message=$chinese
        (cd run && LANG=$lang timeout 60 "$@" > /dev/null 2> ../err < /dev/null); got=$?
        [ $got -eq "$status" ] || fail "$name ($lang): status $got: $(cat err)"
        grep -qF -- "$message" err || fail "$name ($lang): $(cat err)"
        whole "$name ($lang)"
    done
}

# Outputs over the command's inputs.
refused "--dxf over --open" 2 "--dxf would write over 'd.inlet', which --open reads; nothing is written" \
    "--dxf 会覆盖 --open 读入的文件“d.inlet”，未写出任何文件" "$calc" --open d.inlet --dxf d.inlet
refused "--dxf over --open through a link" 2 "--dxf would write over 'link.inlet', which --open reads" \
    "--dxf 会覆盖 --open 读入的文件“link.inlet”" "$calc" --open d.inlet --dxf link.inlet
refused "--dxf over --open by a hard link" 2 "--dxf would write over 'hard.inlet', which --open reads" \
    "--dxf 会覆盖 --open 读入的文件“hard.inlet”" "$calc" --open d.inlet --dxf hard.inlet
refused "--dxf over --open by another spelling" 2 "--dxf would write over './sub/../d.inlet', which --open reads" \
    "--dxf 会覆盖 --open 读入的文件“./sub/../d.inlet”" "$calc" --open "$work/run/d.inlet" --dxf ./sub/../d.inlet
refused "--cfd over --open" 2 "--cfd would write over 'd.inlet', which --open reads" \
    "--cfd 会覆盖 --open 读入的文件“d.inlet”" "$calc" --open d.inlet --cfd d.inlet
if [ $has_solid = yes ]; then
    refused "--step over --open" 2 "--step would write over 'd.inlet', which --open reads; nothing is written" \
        "--step 会覆盖 --open 读入的文件“d.inlet”，未写出任何文件" "$calc" --open d.inlet --step d.inlet
    refused "--stl over --open" 2 "--stl would write over 'd.inlet', which --open reads; nothing is written" \
        "--stl 会覆盖 --open 读入的文件“d.inlet”，未写出任何文件" "$calc" --open d.inlet --stl d.inlet
fi
if [ $has_xlsx = yes ]; then
    refused "--xlsx over --open" 2 "--xlsx would write over 'd.inlet', which --open reads; nothing is written" \
        "--xlsx 会覆盖 --open 读入的文件“d.inlet”，未写出任何文件" "$calc" --open d.inlet --xlsx d.inlet
    refused "--xlsx over --csv" 2 "--xlsx would write over 'in.csv', which --csv reads; nothing is written" \
        "--xlsx 会覆盖 --csv 读入的文件“in.csv”，未写出任何文件" "$calc" --csv in.csv --xlsx in.csv
    refused "--xlsx over --csv through a link" 2 "--xlsx would write over 'link.csv', which --csv reads" \
        "--xlsx 会覆盖 --csv 读入的文件“link.csv”" "$calc" --csv in.csv --xlsx link.csv
    refused "--xlsx over a --csv link" 2 "--xlsx would write over 'in.csv', which --csv reads" \
        "--xlsx 会覆盖 --csv 读入的文件“in.csv”" "$calc" --csv link.csv --xlsx in.csv
fi
refused "--export over its design" 2 "--export would write over 'd.inlet', which FILE reads; nothing is written" \
    "--export 会覆盖 FILE 读入的文件“d.inlet”，未写出任何文件" "$inlet" --export d.inlet --format dxf d.inlet
refused "--export over its design through a link" 2 "--export would write over 'd.dxf', which FILE reads" \
    "--export 会覆盖 FILE 读入的文件“d.dxf”" "$inlet" --export d.dxf d.inlet

# Two outputs on one file.
if [ $has_solid = yes ]; then
    refused "--save, --dxf and --step on one file" 2 "--dxf and --save both write 'out.x'; nothing is written" \
        "--dxf 与 --save 写出同一个文件“out.x”，未写出任何文件" "$calc" --hk 2000 --save out.x --dxf out.x --step out.x
fi
refused "--save and --dxf on one new file by two spellings" 2 "--dxf and --save both write 'sub/../new.x'" \
    "--dxf 与 --save 写出同一个文件“sub/../new.x”" "$calc" --hk 2000 --save new.x --dxf sub/../new.x
refused "--dxf and --save through a dangling link" 2 "--dxf and --save both write 'dangling.dxf'" \
    "--dxf 与 --save 写出同一个文件“dangling.dxf”" "$calc" --hk 2000 --dxf dangling.dxf --save missing.dxf
refused "--cfd and --save on one folder" 2 "--cfd and --save both write 'D'" \
    "--cfd 与 --save 写出同一个文件“D”" "$calc" --hk 2000 --save D --cfd D

# Standard output carries the results; '-' is no file to write.
refused "--save -" 2 "--save writes a file, not standard output ('-')" "--save 写出文件，不能写到标准输出（“-”）" \
    "$calc" --hk 2000 --save -
refused "--dxf -" 2 "--dxf writes a file, not standard output ('-')" "--dxf 写出文件，不能写到标准输出（“-”）" \
    "$calc" --hk 2000 --dxf -
refused "--export -" 2 "--export writes a file, not standard output ('-')" "--export 写出文件，不能写到标准输出（“-”）" \
    "$inlet" --export - --format dxf d.inlet

# The format from the extension; a choice only with a format that offers it.
refused "--format against the extension" 2 "--format step writes .step files, but --export names 'n.pdf'" \
    "--format step 写出 .step 文件，而 --export 给出的是“n.pdf”" "$inlet" --export n.pdf --format step d.inlet
refused "--format without an extension" 2 "--format dxf writes .dxf files, but --export names 'n'" \
    "--format dxf 写出 .dxf 文件，而 --export 给出的是“n”" "$inlet" --export n --format dxf d.inlet
refused "--paper with a .step" 2 "--paper does not apply to the step file 'a.step'" \
    "--paper 不适用于 step 文件“a.step”" "$inlet" --export a.step --paper A0 d.inlet
refused "--paper with the calculation sheet" 2 "--paper does not apply to the pdf file 'a.pdf'" \
    "--paper 不适用于 pdf 文件“a.pdf”" "$inlet" --export a.pdf --paper A0 d.inlet
refused "--stl-binary with a .pdf" 2 "--stl-binary does not apply to the pdf file 'a.pdf'" \
    "--stl-binary 不适用于 pdf 文件“a.pdf”" "$inlet" --export a.pdf --stl-binary d.inlet
refused "--dxf-curves without --dxf" 2 "--dxf-curves goes with --dxf FILE" "--dxf-curves 需与 --dxf FILE 一起使用" \
    "$calc" --hk 2000 --dxf-curves ellipse
if [ $has_solid = yes ]; then
    refused "--paper with --step" 2 "--paper goes with --dxf FILE" "--paper 需与 --dxf FILE 一起使用" \
        "$calc" --hk 2000 --step a.step --paper A0
    refused "--step-walls with --stl" 2 "--step-walls goes with --step FILE" "--step-walls 需与 --step FILE 一起使用" \
        "$calc" --hk 2000 --stl a.stl --step-walls
fi
refused "--dxf with the validation pipe" 2 "--dxf and --cfd-validate cannot be combined" \
    "--dxf 与 --cfd-validate 不能同时使用" "$calc" --cfd-validate V --dxf a.dxf
refused "--save with the validation pipe" 2 "--save and --cfd-validate cannot be combined" \
    "--save 与 --cfd-validate 不能同时使用" "$calc" --cfd-validate V --save a.inlet
refused "a design's text with the validation pipe" 2 "--hk and --cfd-validate cannot be combined" \
    "--hk 与 --cfd-validate 不能同时使用" "$calc" --cfd-validate V --hk 2000

# A format by its key that agrees with the extension, and a choice it offers, are written.
setup
(cd run && LANG=C "$inlet" --export sheet.pdf --format drawing-pdf --paper A1 d.inlet 2> ../err) ||
    fail "--format drawing-pdf with a .pdf: $(cat err)"
head -c 5 run/sheet.pdf | grep -q '%PDF-' || fail "--format drawing-pdf: no PDF written"

# The design saved over the file it was opened from: how a design is edited.
setup
(cd run && LANG=C "$calc" --open d.inlet --hk 2100 --save d.inlet > /dev/null 2> ../err) ||
    fail "--open and --save on one design: $(cat err)"
grep -q '"2100"' run/d.inlet || fail "--open and --save: hk 2100 not saved"

# Of several files, each written that can be, each that cannot named: nothing left silently
# holding the design before.
for lang in C zh_CN.UTF-8; do
    [ $has_solid = yes ] && [ $has_xlsx = yes ] || break
    setup
    (cd run && LANG=$lang "$calc" --hk 2000 --dxf /nonexistent/a.dxf --step ok.step --stl ok.stl --xlsx ok.xlsx \
        --save /nonexistent/b.inlet > /dev/null 2> ../err); got=$?
    [ $got -eq 1 ] || fail "one of several fails ($lang): status $got: $(cat err)"
    if [ $lang = C ]; then
        grep -qF "cannot write '/nonexistent/a.dxf': No such file or directory" err || fail "the DXF not named: $(cat err)"
        grep -qF "cannot save design file '/nonexistent/b.inlet': No such file or directory" err ||
            fail "the design not named: $(cat err)"
    else
        grep -qF "无法写入“/nonexistent/a.dxf”：没有这个文件或文件夹" err || fail "the DXF not named ($lang): $(cat err)"
        grep -qF "无法保存设计文件“/nonexistent/b.inlet”：没有这个文件或文件夹" err || fail "the design not named ($lang): $(cat err)"
    fi
    [ "$(wc -l < err)" -eq 2 ] || fail "one of several fails ($lang): $(cat err)"
    head -c 13 run/ok.step | grep -q 'ISO-10303-21;' || fail "one of several fails ($lang): ok.step not written"
    head -c 6 run/ok.stl | grep -q '^solid ' || fail "one of several fails ($lang): ok.stl not written"
    head -c 2 run/ok.xlsx | grep -q 'PK' || fail "one of several fails ($lang): ok.xlsx not written"
done

# A design whose calculation fails draws nothing and says so for each drawing; the workbook,
# which shows how far it came, is written.
if [ $has_xlsx = yes ]; then
    setup
    (cd run && LANG=C "$calc" --dxf old.dxf --xlsx ok.xlsx > /dev/null 2> ../err); got=$?
    [ $got -eq 1 ] || fail "a failed calculation: status $got"
    grep -qF "division by zero" err || fail "a failed calculation: $(cat err)"
    grep -qF "cannot write 'old.dxf': there is no drawing to export (the calculation did not complete)" err ||
        fail "a failed calculation: the DXF not named: $(cat err)"
    cmp -s pristine/old.dxf run/old.dxf || fail "a failed calculation: old.dxf changed"
    head -c 2 run/ok.xlsx | grep -q 'PK' || fail "a failed calculation: ok.xlsx not written"

    # A batch's workbooks alike.
    setup
    (cd run && LANG=C "$calc" --csv in.csv --xlsx /nonexistent/a.xlsx --xlsx ok.xlsx > /dev/null 2> ../err); got=$?
    [ $got -eq 1 ] || fail "a batch, one workbook fails: status $got: $(cat err)"
    grep -qF "cannot write '/nonexistent/a.xlsx'" err || fail "a batch: the workbook not named: $(cat err)"
    head -c 2 run/ok.xlsx | grep -q 'PK' || fail "a batch: ok.xlsx not written"
fi

[ $failures -eq 0 ] && echo "outputs: all passed"
exit $((failures > 0))
