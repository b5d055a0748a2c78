#!/usr/bin/env bash
# The Windows program's console under Wine, on a viewer folder made here with the
# program copied into it as a user copies it: --list, --apply and --history, and a
# skin shared as a zip with --export and installed back with --import.
#   console-check.sh PROGRAM.exe STAND-IN-VIEWER.exe
# Needs the environment of tests/platform/wine-run.sh (WINEPREFIX, LOCPATH, LANG).
set -euo pipefail
program=$1
viewer=$2
wine_run=(bash "$(dirname "$0")/../platform/wine-run.sh")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/Skins"
cp "$program" "$folder/KelvoraSkinManager.exe"
cp "$viewer" "$folder/Kelvora.exe"
head -c 2000 /dev/zero | tr '\0' a >"$folder/Skins/Зима ❄.scn"
head -c 2000 /dev/zero | tr '\0' b >"$folder/Skins/Лето.scn"
cp "$folder/Skins/Лето.scn" "$folder/Kelvora.rus"

# Output through a pipe is in the ANSI code page, 1251 in this locale; a name
# with a character outside it (❄) is printed in the escaped form that names it;
# lines end with CR LF, as on Windows.
run() {
    "${wine_run[@]}" "$folder/KelvoraSkinManager.exe" "$@" | iconv -f CP1251 -t UTF-8 | tr -d "\r"
}
expect() {
    [ "$1" = "$2" ] || { printf 'expected:\n%s\ngot:\n%s\n' "$2" "$1"; exit 1; }
}

expect "$(run --list)" $'  Зима \\u2744.scn\n* Лето.scn'
# The viewer is not running; the settings leave it alone after the apply.
run --apply "Зима ❄.scn" >/dev/null
cmp "$folder/Kelvora.rus" "$folder/Skins/Зима ❄.scn"
expect "$(run --list)" $'* Зима \\u2744.scn\n  Лето.scn'
history=$(run --history)
[[ $history == "1 "*" Лето.scn" ]] || { echo "history: $history"; exit 1; }
run --undo >/dev/null
cmp "$folder/Kelvora.rus" "$folder/Skins/Лето.scn"

cp "$folder/Skins/Зима ❄.scn" "$folder/winter.scn"
run --export "Зима ❄.scn" "Z:$folder/shared.zip" >/dev/null
rm "$folder/Skins/Зима ❄.scn"
run --import "Z:$folder/shared.zip" >/dev/null
cmp "$folder/Skins/Зима ❄.scn" "$folder/winter.scn"
echo "console of the Windows program: ok"
