#!/usr/bin/env bash
# Every file the programs write is written one way, whatever its format: through a symbolic
# link (which stays a link), keeping the old file's permissions, under a name as long as the
# file system allows, leaving nothing behind and the old file whole when the file-size limit
# stops it or the process is killed part-way, and synced to the disk before it takes its
# name. One row per writer, one check per property.
# Usage: saves.sh INLET INLET_CALC
set -uo pipefail
inlet=$1
calc=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export LC_ALL=C
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

"$calc" --hk 2000 --save "$work/design.inlet" > /dev/null || fail "inlet-calc --save"

# write WRITER TARGET: writes TARGET with that writer; the status is the program's.
write() {
    case $1 in
        # A long text for D (which enters no formula), so that the file outgrows the limit below.
        design) "$calc" --hk 2000 --D "2200$(printf ' %.0s' $(seq 2000))" --save "$2" > /dev/null ;;
        calc-dxf) "$calc" --hk 2000 --dxf "$2" > /dev/null ;;
        *) "$inlet" --export "$2" "$work/design.inlet" ;;
    esac
}
extension() { case $1 in design) echo inlet ;; calc-dxf) echo dxf ;; *) echo "$1" ;; esac; }
# Whether FILE still holds "old".
old() { cmp -s "$1" <(echo old); }
# What a folder holds, hidden files included.
held() { ls -A "$1" | tr '\n' ' '; }

strace_works=no
if command -v strace > /dev/null && strace -f -qq -o /dev/null true 2> /dev/null; then
    strace_works=yes
else
    echo "note: strace missing or not allowed here; the kill and sync checks are left out"
fi

for writer in design calc-dxf pdf odt svg png dxf step stl; do
    ext=$(extension "$writer")
    dir="$work/$writer"
    mkdir "$dir"

    # Through a symbolic link: the link stays, the file it names is written.
    echo old > "$dir/real.$ext"
    ln -s "real.$ext" "$dir/link.$ext"
    write "$writer" "$dir/link.$ext" 2> "$dir/err" || fail "$writer link: $(cat "$dir/err")"
    [ -L "$dir/link.$ext" ] || fail "$writer: the link was replaced by a file"
    ! old "$dir/real.$ext" || fail "$writer: the linked file was not written"
    rm "$dir/link.$ext" "$dir/real.$ext"

    # The old file's permissions.
    echo old > "$dir/private.$ext"
    chmod 600 "$dir/private.$ext"
    write "$writer" "$dir/private.$ext" 2> "$dir/err" || fail "$writer mode: $(cat "$dir/err")"
    [ "$(stat -c %a "$dir/private.$ext")" = 600 ] || fail "$writer: mode $(stat -c %a "$dir/private.$ext")"
    rm "$dir/private.$ext"

    # A name of 250 bytes, short of the file system's 255.
    long=$(printf 'n%.0s' $(seq 1 $((249 - ${#ext}))))".$ext"
    write "$writer" "$dir/$long" 2> "$dir/err" || fail "$writer long name: $(cat "$dir/err")"
    [ -s "$dir/$long" ] || fail "$writer: nothing under the long name"
    rm -f "$dir/$long"

    # The file-size limit: the reason, the old file whole, nothing else.
    echo old > "$dir/big.$ext"
    (ulimit -f 1; write "$writer" "$dir/big.$ext") 2> "$dir/err"; status=$?
    [ $status -eq 1 ] || fail "$writer size limit: status $status"
    grep -q "File too large" "$dir/err" || fail "$writer size limit: $(cat "$dir/err")"
    old "$dir/big.$ext" || fail "$writer size limit: the old file was changed"
    [ "$(held "$dir")" = "big.$ext err " ] || fail "$writer size limit: left $(held "$dir")"

    if [ $strace_works = yes ]; then
        # Killed when the file is written and about to be synced: nothing left behind.
        strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:signal=KILL \
            bash -c "$(declare -f write); calc='$calc' inlet='$inlet' work='$work' write $writer '$dir/big.$ext'" \
            > /dev/null 2>&1
        old "$dir/big.$ext" || fail "$writer killed: the old file was changed"
        [ "$(held "$dir")" = "big.$ext err " ] || fail "$writer killed: left $(held "$dir")"

        # Synced before it takes its name.
        strace -f -qq -o "$dir/calls" -e trace=fsync,rename,renameat,renameat2 \
            bash -c "$(declare -f write); calc='$calc' inlet='$inlet' work='$work' write $writer '$dir/big.$ext'" \
            > /dev/null 2>&1 || fail "$writer traced: status $?"
        sync_line=$(grep -n 'fsync(' "$dir/calls" | head -1 | cut -d: -f1)
        rename_line=$(grep -n "rename.*big\.$ext" "$dir/calls" | head -1 | cut -d: -f1)
        [ -n "$sync_line" ] && [ -n "$rename_line" ] && [ "$sync_line" -lt "$rename_line" ] ||
            fail "$writer: not synced before the rename: $(cat "$dir/calls")"
    fi
done

# What is not a file to replace: a folder, a device. The device is a null device of the test's
# own where it may make one (as root), so that a writer that replaced devices would not take
# the machine's /dev/null with it.
device=/dev/null
mknod -m 666 "$work/null" c 1 3 2> /dev/null && device=$work/null
for target in "$work" "$device"; do
    "$calc" --hk 2000 --dxf "$target" > /dev/null 2> "$work/err"; status=$?
    [ $status -eq 1 ] || fail "$target: status $status"
done
grep -q "is not a regular file" "$work/err" || fail "$device: $(cat "$work/err")"
"$calc" --hk 2000 --dxf . > /dev/null 2> "$work/err"
grep -qx "inlet-calc: '.' is a folder, not a file" "$work/err" || fail ".: $(cat "$work/err")"
[ -c "$device" ] || fail "$device was replaced"

# A read-only folder names the folder and the way out; as root, as a user who cannot write.
mkdir "$work/readonly"
chmod 555 "$work/readonly"
chmod 755 "$work"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
"${as_user[@]}" "$calc" --hk 2000 --save "$work/readonly/x.inlet" > /dev/null 2> "$work/err"
grep -q "the folder '$work/readonly' is not writable (Permission denied); save to another folder" "$work/err" ||
    fail "read-only folder: $(cat "$work/err")"

# One language per program: Chinese where the locale's language is Chinese.
LC_ALL=zh_CN.UTF-8 "$calc" --dxf "$work" > /dev/null 2> "$work/err"
grep -qx "inlet-calc: 除数为零：计算φ=30°时蜗壳宽度a30时出错" "$work/err" || fail "Chinese: $(cat "$work/err")"
LC_ALL=zh_CN.UTF-8 "$inlet" --export "$work/x.pdf" "$work/missing.inlet" 2> "$work/err"
grep -qx "inlet: 无法打开“$work/missing.inlet”：没有这个文件或文件夹" "$work/err" || fail "Chinese: $(cat "$work/err")"

[ $failures -eq 0 ] && echo "saves: all passed"
exit $((failures > 0))
