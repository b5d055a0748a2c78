#!/usr/bin/env bash
# check-man-page.sh PROGRAM PAGE: every option that `PROGRAM --help` prints is
# described in the manual page PAGE (its source, or gzipped). Names the options
# left out and exits with 1, or exits with 0.
set -euo pipefail
options() { grep -oE '(^|[ ,"(])--?[a-z][a-z-]*' | grep -oE -- '-.*' | sort -u; }
# Qt's help lists the options on lines of their own, indented, before their text.
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$1" --help | grep -E '^ +-' | sed -E 's/   .*//' | options)
[ -n "$help" ] || { echo "FAILED: $1 --help printed no option" >&2; exit 1; }
page=$(zcat -f "$2" | sed 's/\\-/-/g' | options)
missing=$(comm -23 <(echo "$help") <(echo "$page"))
[ -z "$missing" ] || { echo "FAILED: the manual page leaves out:" $missing >&2; exit 1; }
