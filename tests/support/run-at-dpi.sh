#!/bin/sh
# Runs a Windows test program with the test prefix's system DPI set to $1, then puts the
# usual 96 back.   run-at-dpi.sh DPI WINE_RUN PROGRAM [ARGS...]
set -u
dpi=$1
run=$2
shift 2
"$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$run" "$@"
status=$?
"$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
exit $status
