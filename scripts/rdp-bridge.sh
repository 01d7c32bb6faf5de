#!/usr/bin/env bash
# Opens a Remote Desktop connection file in the host's FreeRDP client. The project's Wine
# prefix associates .rdp files with this script (by its Z: path), so the shell hand-over of
# the Windows program ends here, with the Windows path of the file as the one argument.
#   rdp-bridge.sh 'C:\users\me\AppData\Local\Temp\orlivane.rdp'
# Extra FreeRDP options (for example /cert:tofu) come from ORLIVANE_XFREERDP_OPTIONS;
# FreeRDP's output goes to ORLIVANE_BRIDGE_LOG when that names a file.
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "usage: $(basename "$0") FILE.rdp" >&2
    exit 2
fi

file=$1
case "$file" in
    /*) ;;  # already a Unix path
    *) file=$(winepath -u "$file") ;;
esac
if [ ! -f "$file" ]; then
    echo "$(basename "$0"): no such connection file: $1" >&2
    exit 1
fi

# Word splitting of the extra options is wanted: each is one FreeRDP argument.
# shellcheck disable=SC2206
options=(${ORLIVANE_XFREERDP_OPTIONS:-})
if [ -n "${ORLIVANE_BRIDGE_LOG:-}" ]; then
    exec xfreerdp "$file" "${options[@]}" </dev/null >>"$ORLIVANE_BRIDGE_LOG" 2>&1
fi
exec xfreerdp "$file" "${options[@]}" </dev/null
