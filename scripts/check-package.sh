#!/usr/bin/env bash
# check-package.sh DEB: unpacks the Debian package into a scratch folder,
# checks that every file it must hold is there and valid, and that lintian
# finds no error in it. Says what failed and exits with 1, or exits with 0.
set -euo pipefail
deb=$1
name=kelvora-skin-manager
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

dpkg-deb -x "$deb" "$scratch"
usr=$scratch/usr
for file in bin/$name share/applications/$name.desktop \
    share/metainfo/example.kelvora.SkinManager.metainfo.xml \
    share/mime/packages/$name.xml share/man/man1/$name.1.gz \
    share/doc/$name/copyright share/doc/$name/changelog.gz \
    share/icons/hicolor/scalable/apps/$name.svg \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$name.png; do
    [ -f "$usr/$file" ] || fail "/usr/$file is missing"
done
[ -x "$usr/bin/$name" ] || fail "/usr/bin/$name cannot be run"
# The program of the package runs, on a console without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/$name" --version) ||
    fail "/usr/bin/$name --version failed"
[[ $version == "Kelvora Skin Manager "* ]] || fail "--version printed: $version"

desktop-file-validate "$usr/share/applications/$name.desktop" || fail "desktop-file-validate"
grep -qx 'MimeType=application/x-kelvora-skin;.*application/zip;.*' "$usr/share/applications/$name.desktop" ||
    fail "the desktop file declares no skin type, or no archive type"
# One program takes all the files chosen together.
grep -q '^Exec=.* %F$' "$usr/share/applications/$name.desktop" ||
    fail "the desktop file does not pass the files chosen to one program"
appstreamcli validate --no-net "$usr/share/metainfo/example.kelvora.SkinManager.metainfo.xml" ||
    fail "appstreamcli validate"
# The type must build into a database in which *.scn names it.
mime=$scratch/mime
mkdir -p "$mime/packages"
cp "$usr/share/mime/packages/$name.xml" "$mime/packages/"
XDG_DATA_DIRS=$scratch update-mime-database "$mime" || fail "update-mime-database"
grep -q ':application/x-kelvora-skin:\*\.scn$' "$mime/globs2" 2>/dev/null ||
    fail "*.scn does not name application/x-kelvora-skin"
# Only errors fail the check; lintian's root warning is not about the package.
lintian --fail-on error "$deb" || fail "lintian found errors"

[ $failed -eq 0 ] && echo "The package $deb passed every check."
exit $failed
