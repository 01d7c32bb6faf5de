#!/bin/sh
# Makes a fresh Wine prefix for the test run and registers a capturing handler for
# .rdp files in it, so that what the launcher hands to the shell can be inspected.
#   make-test-prefix.sh PREFIX CAPTURE_HANDLER_EXE CAPTURE_DIR
set -eu
prefix=$1
handler=$2
captures=$3

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wineserver -k 2>/dev/null || true
rm -rf "$prefix" "$captures"
mkdir -p "$prefix" "$captures"
# Keep one wineserver for the whole run; a wine process that starts it would hand it the
# test's output pipe and keep CTest waiting until it exits.
wineserver -p </dev/null >/dev/null 2>&1
wineboot -i >/dev/null 2>&1

win_path() { printf 'Z:%s' "$1" | sed 's#/#\\#g'; }
wine reg add 'HKLM\Software\Classes\.rdp' /ve /d OrlivaneTest.Capture /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\OrlivaneTest.Capture\shell\open\command' /ve \
    /d "\"$(win_path "$handler")\" \"$(win_path "$captures")\" \"%1\"" /f >/dev/null 2>&1
exit 0
