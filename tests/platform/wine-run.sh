#!/usr/bin/env bash
# Runs the Windows build of the platform tests under Wine, in the prefix that
# WINEPREFIX names (a folder of the build), in the locale that LANG names, made
# in LOCPATH (Wine takes its ANSI code page and the encoding of Unix file names
# from the locale, so it must exist even where the system has not made it).
#   wine-run.sh start      makes the prefix when it is missing, starts its server
#   wine-run.sh stop       ends the server and every program of the prefix
#   wine-run.sh [--display] [--file-size-limit BYTES] PROGRAM [ARGUMENTS...]
#       --display          the program opens windows: exit 77 (skipped) without a display
#       --file-size-limit  no file may grow past BYTES; the program learns the
#                          limit from KSM_FILE_SIZE_LIMIT
set -euo pipefail
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver64

# One server for the whole run. It stays up to five minutes after its last
# program, so one that a stopped run leaves behind ends by itself. Status 2:
# it was running already.
start_server() {
    "$server" -p300 || [ $? -eq 2 ]
}

# Runs Wine with its output through a file. Programs that Wine starts for
# itself (services, the desktop) live on with the output of the program that
# started them, and would keep a pipe of the test run open for minutes.
run_wine() {
    log=$(mktemp)
    status=0
    "$@" >"$log" 2>&1 || status=$?
    cat "$log"
    rm -f "$log"
    return $status
}

case "${1-}" in
start)
    locale=$LOCPATH/${LANG%%.*}.UTF-8
    mkdir -p "$LOCPATH"
    [ -d "$locale" ] || LC_ALL=C localedef -i "${LANG%%.*}" -f UTF-8 "$locale" || [ -d "$locale" ]
    mkdir -p "$WINEPREFIX"
    run_wine start_server
    # The first program makes the prefix, once, in about 10 s. A program that
    # crashes ends with its backtrace, instead of waiting behind a crash dialog
    # that a display without a window manager never shows.
    run_wine "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    ;;
stop)
    "$server" -k 2>/dev/null || true
    "$server" -w
    ;;
*)
    if [ "$1" = --display ]; then
        shift
        [ -n "${DISPLAY-}" ] || { echo "no display: skipped"; exit 77; }
    fi
    if [ "$1" = --file-size-limit ]; then
        # The server must not inherit the limit: it writes the registry.
        run_wine start_server
        export KSM_FILE_SIZE_LIMIT="$2"
        shift 2
        # Writes past the limit fail instead of ending the program. Its
        # output goes through a pipe, which has no size limit.
        trap '' XFSZ
        prlimit --fsize="$KSM_FILE_SIZE_LIMIT" -- "$wine" "$@" 2>&1 | cat
    else
        run_wine "$wine" "$@"
    fi
    ;;
esac
