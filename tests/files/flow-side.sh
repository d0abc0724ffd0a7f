#!/usr/bin/env bash
# The flow's edges as a user meets them: more processes than the machine and the mesh bear are
# refused at once, before mpirun (and again once the mesh is made, before the decomposition);
# an empty folder is a usage error; every --cfd message is in the locale's language, why a run
# failed on standard error; the study's job script quotes its paths so that the shell reads
# them back exact, and a study.csv that cannot be saved is a failure. OpenFOAM's programs,
# mpirun and Slurm's sbatch and squeue are stood in for by scripts on PATH.
# Usage: flow-side.sh INLET-CALC
set -uo pipefail
calc=$(readlink -f "$1")
d=$(mktemp -d)
trap 'rm -rf "$d"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$d" || exit 1

# Stand-ins: each leaves a mark that it ran; the mesher's checks report 4,137 cells.
mkdir fake
for p in blockMesh surfaceFeatureExtract snappyHexMesh topoSet simpleFoam decomposePar reconstructPar mpirun; do
    printf '#!/bin/sh\ntouch "%s/ran-%s"\nexit 0\n' "$d" "$p" > "fake/$p"
done
printf '#!/bin/sh\ntouch "%s/ran-checkMesh"\necho "    cells:            4137"\necho "    Mesh non-orthogonality Max: 41.2 average: 8.1"\necho "    Max skewness = 1.3 OK."\necho "Mesh OK."\n' "$d" > fake/checkMesh
# sbatch keeps the job script it is given; squeue says the job is done.
printf '#!/bin/sh\ncp "$2" "%s/captured.sbatch"\necho 4242\n' "$d" > fake/sbatch
printf '#!/bin/sh\nexit 0\n' > fake/squeue
chmod +x fake/*
fakepath="$d/fake:/usr/bin:/bin"
has_chinese() { LC_ALL=C grep -q $'[\xe4-\xe9]' "$1"; }
# English words of the program's own that a Chinese message must not hold.
english_words() { grep -E "(^|[^A-Za-z-])(the|is|not|cannot|failed|written|too many|cores|cells|folder)([^A-Za-z]|$)" "$1"; }

# --np 1000 on a machine of a few cores and a mesh of a few thousand cells: refused at once,
# with the figures, and nothing started.
start=$(date +%s)
LANG=C PATH="$fakepath" timeout 20 "$calc" --hk 2000 --cfd "$d/np" --run --mesh tiny --np 1000 > out 2> err
status=$?
[ $status -eq 2 ] || fail "--np 1000: exit status $status, not 2: $(cat err)"
[ $(($(date +%s) - start)) -le 5 ] || fail "--np 1000: took $(($(date +%s) - start)) s"
ls "$d"/ran-* > /dev/null 2>&1 && fail "--np 1000: started $(ls "$d"/ran-*)"
[ -e "$d/np" ] && fail "--np 1000: the case folder was written"
grep -q "^inlet-calc: --np 1000 is too many: $(nproc) cores here and about 4000 cells, at least 10000 cells a process, allow at most 1$" err \
    || fail "--np 1000: the figures: $(cat err)"
LANG=zh_CN.UTF-8 PATH="$fakepath" "$calc" --hk 2000 --cfd "$d/np" --run --mesh tiny --np 1000 > out 2> err
[ $? -eq 2 ] || fail "--np 1000 in Chinese: exit status"
grep -q "^inlet-calc: --np 1000 过多：本机有 $(nproc) 个处理器核，网格约 4000 个单元" err || fail "--np 1000 in Chinese: $(cat err)"
# The window's figures for a study through Slurm: the cells alone.
printf 'hk\n2000\n' > one.csv
LANG=C PATH="$fakepath" "$calc" --csv one.csv --cfd-study "$d/npstudy" --mesh coarse --np 7 > out 2> err
[ $? -eq 2 ] || fail "a study of 7 processes on 60,000 cells: exit status"
grep -q "allow at most 6" err || fail "a study of 7 processes: $(cat err)"

# Within what the cores and the background cells allow, but more than the mesh made has
# cells for: refused after meshing, before the decomposition and mpirun (the pipe needs no
# solid).
if [ "$(nproc)" -ge 2 ]; then
    rm -f "$d"/ran-*
    LANG=C PATH="$fakepath" "$calc" --cfd-validate "$d/pipe" --run --cells 20000 --np 2 > out 2> err
    status=$?
    [ $status -eq 2 ] || fail "after meshing: exit status $status, not 2: $(cat out err)"
    [ -e "$d/ran-checkMesh" ] || fail "after meshing: the mesh was not made"
    [ -e "$d/ran-decomposePar" ] && fail "after meshing: decomposePar was started"
    [ -e "$d/ran-mpirun" ] && fail "after meshing: mpirun was started"
    grep -q "^inlet-calc: decomposing: --np 2 is too many: .* about 4137 cells.* allow at most 1$" err \
        || fail "after meshing: $(cat err)"
    grep -q $'^flow\tstatus\tfailed$' out || fail "after meshing: the status: $(cat out)"
fi

# An empty folder is no folder: a usage error.
for option in --cfd --cfd-validate; do
    LANG=C "$calc" --hk 2000 $option "" > out 2> err
    status=$?
    [ $status -eq 2 ] || fail "$option '': exit status $status, not 2"
    grep -q "needs a folder" err || fail "$option '': $(cat err)"
done

# Without OpenFOAM: why, on standard error, in the locale's language; the status word on
# standard output stays the same for scripts.
LANG=C PATH=/nonexistent "$calc" --hk 2000 --cfd "$d/c" --run --mesh tiny > out 2> err
[ $? -eq 1 ] || fail "C, without OpenFOAM: exit status"
grep -q $'^flow\tstatus\tfailed$' out || fail "C: the status on standard output: $(cat out)"
grep -q "OpenFOAM" out && fail "C: why it failed went to standard output: $(cat out)"
grep -q "^inlet-calc: meshing: OpenFOAM is not installed (blockMesh is not on PATH)" err || fail "C: $(cat err)"
has_chinese err && fail "C: a Chinese message: $(cat err)"
LANG=zh_CN.UTF-8 PATH=/nonexistent "$calc" --hk 2000 --cfd "$d/z" --run --mesh tiny > out 2> err
[ $? -eq 1 ] || fail "zh_CN, without OpenFOAM: exit status"
grep -q "^inlet-calc: 划分网格：未安装 OpenFOAM（PATH 中没有 blockMesh）" err || fail "zh_CN: $(cat err)"
english_words err && fail "zh_CN: an English message: $(cat err)"
# Only written, then a folder that is not one: each message in one language.
LANG=zh_CN.UTF-8 "$calc" --hk 2000 --cfd "$d/w" --mesh tiny > out 2> err
grep -q "^inlet-calc: 算例已写入 .*；加 --run 进行计算$" err || fail "zh_CN, written: $(cat err)"
LANG=zh_CN.UTF-8 "$calc" --hk 2000 --cfd /dev/null --mesh tiny > out 2> err
[ $? -eq 1 ] || fail "zh_CN, /dev/null: exit status"
grep -q "^inlet-calc: 写入算例：算例文件夹“/dev/null”不是文件夹$" err || fail "zh_CN, /dev/null: $(cat err)"
LANG=C "$calc" --hk 2000 --cfd /dev/null --mesh tiny > out 2> err
grep -q "^inlet-calc: writing the case: the case folder '/dev/null' is not a folder$" err || fail "C, /dev/null: $(cat err)"
for f in err; do has_chinese "$f" && fail "C, /dev/null: $(cat "$f")"; done

# A study whose study.csv cannot be saved (a folder holds its name): the rows are printed,
# the failure named, exit 1; the flow's error column in the locale's language.
mkdir -p "$d/s/study.csv"
printf 'hk\n2000\n' > designs.csv
LANG=zh_CN.UTF-8 PATH=/nonexistent "$calc" --csv designs.csv --cfd-study "$d/s" --local --mesh tiny > out 2> err
status=$?
[ $status -eq 1 ] || fail "study.csv not saved: exit status $status, not 1"
grep -q "study.csv" err || fail "study.csv not saved: not named: $(cat err)"
grep -q "^2000," out || fail "study.csv not saved: the rows were not printed: $(cat out)"
if "$calc" --help | grep -q -- '--step'; then
    grep -q "划分网格：未安装 OpenFOAM" out || fail "study in Chinese: the error column: $(cat out)"
fi

# The job script of a study whose folder holds ', blanks, $ and a line feed: bash reads it,
# and its words come back exact.
if "$calc" --help | grep -q -- '--step'; then
    weird="$d/it's a \$HOME
study"
    printf 'hk\n2000\n0\n2200\n' > three.csv
    LANG=C PATH="$fakepath" "$calc" --csv three.csv --cfd-study "$weird" --mesh tiny > out 2> err
    status=$?
    [ $status -eq 0 ] || fail "study through sbatch: exit status $status: $(cat err)"
    grep -q "Slurm job 4242, 2 cases" err || fail "study through sbatch: $(cat err)"
    if [ -f captured.sbatch ]; then
        bash -n captured.sbatch || fail "study.sbatch: bash cannot read it"
        grep -qx '#SBATCH --array=1,3' captured.sbatch || fail "study.sbatch: the array: $(grep array captured.sbatch)"
        # The words exec would be given, for task 3.
        sed '0,/^exec /s//printf "%s\\0" /' captured.sbatch > words.sh
        SLURM_ARRAY_TASK_ID=3 sh words.sh > words
        python3 - words "$calc" "$weird" <<'PY' || fail "study.sbatch: the words"
import sys
words = open(sys.argv[1], "rb").read().split(b"\0")[:-1]
case = sys.argv[3].encode() + b"/design-3"
want = [sys.argv[2].encode(), b"--open", case + b"/design.inlet", b"--cfd", case, b"--run", b"--np", b"1",
        b"--iterations", b"1000", b"--mesh", b"tiny"]
if words != want:
    print("FAIL:", words, "!=", want)
    sys.exit(1)
PY
        [ -f "$weird/design-3/design.inlet" ] || fail "study through sbatch: design 3's case is not where the script looks"
    else
        fail "study through sbatch: no script reached sbatch"
    fi
fi

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ $failures -eq 0 ]
