#!/usr/bin/env bash
# The window and inlet-calc read dd0 and show their results with the same separators, in
# every locale environment: the C and POSIX locales, UTF-8 locales with a full stop, a comma
# or a narrow space between groups, a locale neither program knows, and LC_NUMERIC apart from
# LANG. Locales are tried both installed for the C library (compiled into a private folder
# with localedef) and not installed (an empty LOCPATH).
#
# Usage: number-format-agreement.sh WINDOW_TEXTS INLET_CALC
set -uo pipefail
window=$1
calc=$2
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/none" "$work/installed"

installed=no
if command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ]; then
    installed=yes
    for name in en_US de_DE fr_FR zh_CN; do
        localedef -i "$name" -f UTF-8 "$work/installed/$name.UTF-8" 2>/dev/null \
            || { echo "cannot compile $name.UTF-8"; installed=no; }
    done
    # The test means nothing unless the C library really sees the compiled locale.
    [ "$(LOCPATH=$work/installed LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" = "," ] || installed=no
fi
[ "$installed" = yes ] || echo "note: localedef or the locale sources are missing; only the not-installed case is tried"

environments=(
    "LC_ALL=C" "LC_ALL=C.UTF-8" "LC_ALL=POSIX" "LC_ALL=en_US.UTF-8" "LC_ALL=zh_CN.UTF-8"
    "LC_ALL=de_DE.UTF-8" "LC_ALL=fr_FR.UTF-8" "LC_ALL=xx_YY.UTF-8"
    "LANG=en_US.UTF-8 LC_NUMERIC=de_DE.UTF-8" "LANG=de_DE.UTF-8 LC_NUMERIC=en_US.UTF-8"
    "LANG=de_DE.UTF-8"
)
# "1 000" with a blank, a no-break space and a narrow no-break space (French groups).
texts=("700,1" "700.1" "1,000" "1.000" "1 000" $'1\u00a0000' $'1\u202f000' "700,1e0" "1,000.5" "1.000,5")

failures=0
compare() {  # compare LOCPATH ENVIRONMENT TEXT
    local locpath=$1 environment=$2 text=$3 w c
    w=$(env -i PATH="$PATH" QT_QPA_PLATFORM=offscreen LOCPATH="$locpath" $environment \
        "$window" --hk 2000 --D1 3001 --dd0 "$text" 2>/dev/null; echo "status $?")
    c=$(env -i PATH="$PATH" LOCPATH="$locpath" $environment \
        "$calc" --hk 2000 --D1 3001 --dd0 "$text" 2>/dev/null; echo "status $?")
    if [ "$w" != "$c" ]; then
        echo "DIFFER: $environment ($4), dd0 \"$text\""
        diff <(echo "$w") <(echo "$c") | sed 's/^/    /'
        failures=$((failures + 1))
    fi
}

for environment in "${environments[@]}"; do
    for text in "${texts[@]}"; do
        compare "$work/none" "$environment" "$text" "not installed"
        [ "$installed" = yes ] && compare "$work/installed" "$environment" "$text" "installed"
    done
done

# What both must show: a comma-decimal locale reads "700,1" and shows a2 with a comma; the C
# locale groups thousands with a comma.
expect() {  # expect ENVIRONMENT DD0 NAME TEXT
    local shown
    for locpath in "$work/none" "$work/installed"; do
        [ "$locpath" = "$work/installed" ] && [ "$installed" != yes ] && continue
        shown=$(env -i PATH="$PATH" LOCPATH="$locpath" $1 "$calc" --hk 2000 --dd0 "$2" 2>/dev/null | awk -F'\t' -v n="$3" '$1 == n { print $2 }')
        if [ "$shown" != "$4" ]; then
            echo "WRONG: $1, dd0 \"$2\": $3 shows \"$shown\", expected \"$4\" (LOCPATH $locpath)"
            failures=$((failures + 1))
        fi
    done
}
expect "LC_ALL=de_DE.UTF-8" "700,1" a2 "1149,95001220703"
expect "LC_ALL=fr_FR.UTF-8" "700,1" a2 "1149,95001220703"
expect "LANG=en_US.UTF-8 LC_NUMERIC=de_DE.UTF-8" "700,1" a2 "1149,95001220703"
expect "LC_ALL=C" "1,000" a2 "1000"
expect "LC_ALL=POSIX" "700.1" a2 "1149.95001220703"
expect "LC_ALL=en_US.UTF-8" "1,000.5" a2 "999.75"
expect "LC_ALL=de_DE.UTF-8" "1.000,5" a2 "999,75"
expect "LC_ALL=fr_FR.UTF-8" $'1\u202f000,5' a2 "999,75"

echo "$((${#environments[@]} * ${#texts[@]})) environment and text pairs compared, installed locales: $installed"
[ "$failures" -eq 0 ] || { echo "$failures disagreements"; exit 1; }
