#!/usr/bin/env bash
# Every menu item of every window, once, on an X display of its own (Xvfb): each opens and
# closes in time and standard error stays empty. The photographs stay in OUTPUT-FOLDER for
# review. Usage: window-smoke.sh WINDOW-SMOKE-PROGRAM OUTPUT-FOLDER
set -u
program=$1 out=$2
[ -n "${DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-xcb}" = xcb ] || exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
rm -rf "$out" && mkdir -p "$out" || exit 1
# Settings and the runtime folder of their own, none of the user's; a UTF-8 locale.
home=$(mktemp -d) && trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
"$program" "$out" 2>"$out/stderr.txt"
status=$?
if [ -s "$out/stderr.txt" ]; then
    echo "FAIL standard error is not empty:"
    cat "$out/stderr.txt"
    status=1
fi
echo "photographs: $out"
exit $status
