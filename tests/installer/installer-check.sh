#!/usr/bin/env bash
# The Windows program's installer and zip under Wine, on a scratch viewer folder:
# a folder without the viewer refused, a silent install and uninstall that leaves
# the folder as it was, an install into the folder the viewer's installer registered.
#   installer-check.sh SETUP.exe ZIP PROGRAM.exe VERSION
# Needs the environment of tests/platform/wine-run.sh (WINEPREFIX, LOCPATH, LANG).
set -euo pipefail
setup=$1
zip=$2
program=$3
version=$4
wine_run=(bash "$(dirname "$0")/../platform/wine-run.sh")
scratch=$(mktemp -d)
viewer_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvora'
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "$*"
    exit 1
}
windows_path() {
    printf 'Z:%s' "${1//\//\\}"
}
# reg.exe prints in the OEM code page, 866 in this locale.
registry() {
    "${wine_run[@]}" reg.exe query "$@" | iconv -f CP866 -t UTF-8 | tr -d '\r'
}
has_key() {
    "${wine_run[@]}" reg.exe query "$1" >/dev/null
}
classes='HKCU\Software\Classes'
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KelvoraSkinManager'
listing() {
    (cd "$1" && find . -printf '%p %s\n' | LC_ALL=C sort)
}
shortcut() {
    find "$WINEPREFIX/drive_c/users" -name 'Kelvora Skin Manager.lnk'
}
# The uninstaller runs on from a copy of itself, which removes its file last.
uninstall() {
    "${wine_run[@]}" "$folder/KelvoraSkinManager-uninstall.exe" /S
    for _ in $(seq 300); do
        [ -e "$folder/KelvoraSkinManager-uninstall.exe" ] || return 0
        sleep 0.1
    done
    fail "the uninstaller is still there"
}

# What a run that failed half-way left in the prefix.
for key in "$entry" "$classes\\.scn" "$classes\\KelvoraSkinManager.scn" "$viewer_key"; do
    "${wine_run[@]}" reg.exe delete "$key" /f >/dev/null || true
done
shortcut | xargs -r -d '\n' rm

folder="$scratch/Kelvora ТВ"
mkdir -p "$folder/Skins" "$scratch/not-the-viewer/Skins"
printf 'MZ' >"$folder/Kelvora.exe"
head -c 3000 /dev/urandom >"$folder/Skins/Зима.scn"
cp "$folder/Skins/Зима.scn" "$scratch/skin"
cp "$folder/Skins/Зима.scn" "$folder/Kelvora.rus"
before=$(listing "$folder")
# Where the viewer's installer would have said it put the viewer.
"${wine_run[@]}" reg.exe add "$viewer_key" /v InstallLocation /d "$(windows_path "$folder")\\" /f \
    >/dev/null

# Refused: the folder given holds no Kelvora.exe, and nothing is written anywhere.
if "${wine_run[@]}" "$setup" /S "/D=$(windows_path "$scratch/not-the-viewer")"; then
    fail "a folder without Kelvora.exe was taken"
fi
[ "$(ls -A "$scratch/not-the-viewer")" = Skins ] || fail "written into the refused folder"
[ "$(listing "$folder")" = "$before" ] || fail "written into the registered folder"
! has_key "$entry" || fail "an uninstall entry for a refused folder"

"${wine_run[@]}" "$setup" /S "/D=$(windows_path "$folder")"
cmp "$program" "$folder/KelvoraSkinManager.exe"
[ "$("${wine_run[@]}" "$folder/KelvoraSkinManager.exe" --version | tr -d '\r')" = \
    "Kelvora Skin Manager $version" ] || fail "--version of the installed program"
[[ $(registry "$classes\\.scn" /ve) == *"REG_SZ    KelvoraSkinManager.scn"* ]] ||
    fail ".scn is not the program's"
command=$(registry "$classes\\KelvoraSkinManager.scn\\shell\\open\\command" /ve)
[[ $command == *"\"$(windows_path "$folder")\\KelvoraSkinManager.exe\" \"%1\""* ]] ||
    fail "open command: $command"
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut"

uninstall
[ "$(listing "$folder")" = "$before" ] || fail "the folder changed: $(listing "$folder")"
cmp "$scratch/skin" "$folder/Skins/Зима.scn"
for key in "$classes\\.scn" "$classes\\KelvoraSkinManager.scn" "$entry"; do
    ! has_key "$key" || fail "left in the registry: $key"
done
[ -z "$(shortcut)" ] || fail "the shortcut stays"

# Without /D the folder that the viewer's installer registered is taken.
"${wine_run[@]}" "$setup" /S
cmp "$program" "$folder/KelvoraSkinManager.exe"
uninstall
[ "$(listing "$folder")" = "$before" ] || fail "the folder changed: $(listing "$folder")"

# The zip: the program and its read-me, nothing else.
mkdir "$scratch/zip"
(cd "$scratch/zip" && cmake -E tar xf "$zip")
[ "$(ls "$scratch/zip")" = $'KelvoraSkinManager.exe\nKelvoraSkinManager.txt' ] ||
    fail "the zip holds: $(ls "$scratch/zip")"
cmp "$program" "$scratch/zip/KelvoraSkinManager.exe"
echo "installer and zip of the Windows program: ok"
