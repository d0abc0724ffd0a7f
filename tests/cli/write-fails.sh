#!/usr/bin/env bash
# Runs inlet-calc with its standard output on a full device or closed, and checks that it says
# so and exits with status 1 instead of losing its output without a word.
# Usage: write-fails.sh PROGRAM full|closed [ARGUMENTS...]; standard input holds a small CSV.
set -u
program=$1
where=$2
shift 2
err=$(mktemp)
trap 'rm -f "$err"' EXIT
case $where in
    full) printf 'hk\n2000\n' | "$program" "$@" >/dev/full 2>"$err" ;;
    closed) printf 'hk\n2000\n' | "$program" "$@" >&- 2>"$err" ;;
    *) echo "unknown place '$where'" >&2; exit 2 ;;
esac
status=$?
message=$(cat "$err")
if [[ $status -ne 1 || $message != "inlet-calc: cannot write to standard output: "* ]]; then
    echo "inlet-calc $* with standard output $where: exit status $status, standard error:" >&2
    echo "$message" >&2
    echo "expected exit status 1 and 'inlet-calc: cannot write to standard output: <reason>'" >&2
    exit 1
fi
