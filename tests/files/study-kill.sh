#!/usr/bin/env bash
# A flow study run here (--evaluate flow --local) that is killed takes its runs with it: with
# OpenFOAM stood in for by scripts on PATH whose solver records its id and runs until told to
# stop, the study is killed while the solvers run (SIGKILL, as the study window's 取消 does;
# SIGTERM), and within seconds neither a solver nor the inlet-calc that ran its case is left (a
# zombie counts as gone). Both ways the cases run: side by side (two variants, each case run by an inlet-calc of
# its own where the cores allow) and one at a time (one variant, run by the study itself).
# Usage: study-kill.sh INLET_CALC
set -uo pipefail
calc=$(readlink -f "$1")
work=$(mktemp -d)
started=()
# Whatever this test started and a failure left going ends with it, by its id: those it
# noted, and any other working in its folder.
cleanup() {
    for pid in "${started[@]}"; do kill -KILL "$pid" 2> /dev/null; done
    cd / || return
    for cwd in /proc/[0-9]*/cwd; do
        case "$(readlink "$cwd" 2> /dev/null)" in
        "$work" | "$work"/*) pid=${cwd#/proc/} && kill -KILL "${pid%/cwd}" 2> /dev/null ;;
        esac
    done
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$work" || exit 1
if [ "$(uname -s)" != Linux ]; then
    echo "not Linux: nothing to test"
    exit 0
fi

mkdir fake
for p in blockMesh surfaceFeatureExtract snappyHexMesh topoSet decomposePar reconstructPar mpirun; do
    printf '#!/bin/sh\nexit 0\n' > "fake/$p"
done
printf '#!/bin/sh\necho "    cells:            4137"\necho "    Mesh non-orthogonality Max: 41.2 average: 8.1"\necho "    Max skewness = 1.3 OK."\necho "Mesh OK."\n' > fake/checkMesh
# The solver: its id where the test finds it, then a long run that stops, as simpleFoam's
# abort function object does, once the file `stop` stands in its case.
printf '#!/bin/sh\necho $$ > "%s/marks/$(/usr/bin/basename "$PWD")"\nwhile [ ! -e stop ]; do /bin/sleep 0.2; done\n' \
    "$work" > fake/simpleFoam
chmod +x fake/*
export PATH="$work/fake:/usr/bin:/bin"
export LC_ALL=C

# Whether the process is there and not a zombie.
alive() {
    local state
    state=$(awk '/^State:/ {print $2}' "/proc/$1/status" 2> /dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

while IFS='|' read -r name vary signal; do
    rm -rf marks s && mkdir marks
    "$calc" --hk 2000 --vary "$vary" --study s --evaluate flow --mesh tiny --local > out 2> err &
    study=$!
    started+=("$study")
    # Until a solver waits.
    for _ in $(seq 600); do
        [ -n "$(ls marks)" ] && break
        alive "$study" || break
        sleep 0.2
    done
    sleep 0.5
    solvers=()
    for mark in marks/*; do
        [ -s "$mark" ] && solvers+=("$(cat "$mark")")
    done
    [ "${#solvers[@]}" -gt 0 ] || { fail "$name: no solver started: $(cat err)"; kill -KILL "$study"; wait "$study"; continue; }
    started+=("${solvers[@]}")
    # The inlet-calc that runs each solver's case (the study itself, one at a time).
    runners=()
    for pid in "${solvers[@]}"; do
        parent=$(awk '/^PPid:/ {print $2}' "/proc/$pid/status" 2> /dev/null)
        [ -n "$parent" ] && [ "$parent" != "$study" ] && runners+=("$parent")
    done
    started+=("${runners[@]}")
    kill "-$signal" "$study"
    wait "$study" 2> /dev/null
    for pid in "${solvers[@]}" "${runners[@]}"; do
        for _ in $(seq 75); do
            alive "$pid" || break
            sleep 0.2
        done
        alive "$pid" && fail "$name: $pid ($(tr '\0' ' ' < "/proc/$pid/cmdline" 2> /dev/null)) outlived the study"
    done
done <<'ROWS'
side_by_side_killed|hk=1800:2600:2|KILL
side_by_side_terminated|hk=1800:2600:2|TERM
one_at_a_time_killed|hk=1800:1800:1|KILL
ROWS

[ "$failures" = 0 ] && echo "all study-kill checks passed"
exit $((failures > 0))
