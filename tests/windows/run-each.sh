#!/usr/bin/env bash
# Runs each case of a Windows test program in a process of its own under Wine:
# Wine on a display without a window manager shows only the first top-level
# window that a process makes, so each case must be a first.
#   run-each.sh PROGRAM.exe [FILTER]
# FILTER (GoogleTest's form) leaves out the cases that need what Windows lacks.
# Needs the environment of tests/platform/wine-run.sh (WINEPREFIX, LOCPATH, LANG).
set -uo pipefail
program=$1
filter=${2:-*}
wine_run=(bash "$(dirname "$0")/../platform/wine-run.sh" --display)
list=$("${wine_run[@]}" "$program" --gtest_list_tests --gtest_filter="$filter") || { echo "$list"; exit 1; }
[ "$list" = "no display: skipped" ] && { echo "$list"; exit 77; }
failed=()
suite=
count=0
while IFS= read -r line; do
    line=${line%$'\r'}
    case $line in
    "" | " "*"#"*) ;;
    [^\ ]*) suite=${line%% *} ;;
    *)
        name=$suite${line#  }
        name=${name%% *}
        count=$((count + 1))
        # A bound that only keeps a hanging case from holding the run.
        output=$(timeout 90 "${wine_run[@]}" "$program" --gtest_filter="$name" 2>&1) ||
            { failed+=("$name"); echo "$output"; }
        ;;
    esac
done <<<"$list"
echo "$count cases, ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
