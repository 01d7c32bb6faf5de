#!/usr/bin/env bash
# Builds Orlivane for Windows and runs it under Wine, with .rdp files opened in the host's
# FreeRDP client. Installs whatever is missing first (Debian 12).
#
#   scripts/run.sh [--headless SHOT.png] [-DNAME=VALUE ...]
#
# -D options go to the CMake configure step, for example
#   scripts/run.sh -DORLIVANE_HOSTING_DOMAIN=.hosting.example.net
# ORLIVANE_HOSTING_DOMAIN in the environment does the same. CMake keeps a value in its
# cache, so it stays until it is given again.
#
# The program runs in the project's own Wine prefix,
# ${XDG_DATA_HOME:-$HOME/.local/share}/orlivane/wineprefix, made on first use.
# --headless SHOT.png runs it on a virtual X display instead of $DISPLAY, saves a screenshot
# of the screen once the window shows, and ends it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
me=$(basename "$0")

usage() {
    sed -n '5,16s/^# \{0,1\}//p' "$0"
}

shot=""
cmake_options=()
while [ $# -gt 0 ]; do
    case "$1" in
        --headless)
            [ $# -ge 2 ] || { echo "$me: --headless needs the name of a PNG file" >&2; exit 2; }
            shot=$2
            shift 2
            ;;
        --headless=*) shot=${1#--headless=}; shift ;;
        -D?*) cmake_options+=("$1"); shift ;;
        -h | --help) usage; exit 0 ;;
        *) echo "$me: unknown argument '$1'" >&2; usage >&2; exit 2 ;;
    esac
done
if [ -n "${ORLIVANE_HOSTING_DOMAIN:-}" ]; then
    cmake_options+=("-DORLIVANE_HOSTING_DOMAIN=$ORLIVANE_HOSTING_DOMAIN")
fi
if [ -n "$shot" ]; then
    case "$shot" in /*) ;; *) shot="$PWD/$shot" ;; esac
fi

if [ -z "$shot" ] && [ -z "${DISPLAY:-}" ]; then
    cat >&2 <<MESSAGE
$me: there is no X display (DISPLAY is not set), so the window has nowhere to show.
Run it on a virtual display instead and get a screenshot:
    $0 --headless orlivane.png
MESSAGE
    exit 1
fi

. "$root/scripts/lib/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" freerdp2-x11

build="$root/build/windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" "${cmake_options[@]}"
cmake --build "$build" --target orlivane
exe="$build/app/orlivane.exe"

export WINEPREFIX="${XDG_DATA_HOME:-$HOME/.local/share}/orlivane/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: the program needs neither, and their installers would ask.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

win_path() { printf 'Z:%s' "$1" | sed 's#/#\\#g'; }

# Keeps a virtual display for the headless run and for making the prefix without one.
xvfb_pid=""
app_pid=""
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then
        wineserver -k 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
start_xvfb() {
    local fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 10 display <"$fifo" || { echo "$me: the virtual display did not start" >&2; exit 1; }
    rm -f "$fifo"
    export DISPLAY=":$display"
}
if [ -n "$shot" ]; then
    start_xvfb
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
fi
# Wine 8's shell looks file types up in HKLM\Software\Classes only. Registered on every run
# so that a moved checkout still finds its bridge.
wine reg add 'HKLM\Software\Classes\.rdp' /ve /d Orlivane.RdpFile /f </dev/null >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\Orlivane.RdpFile\shell\open\command' /ve \
    /d "\"$(win_path "$root/scripts/rdp-bridge.sh")\" \"%1\"" /f </dev/null >/dev/null 2>&1

if [ -z "$shot" ]; then
    echo "Starting $exe in $WINEPREFIX"
    trap - EXIT
    exec wine "$exe" </dev/null
fi

wine "$exe" </dev/null &
app_pid=$!
window=""
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Orlivane$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || { echo "$me: the program ended before its window showed" >&2; exit 1; }
    sleep 0.1
done
[ -n "$window" ] || { echo "$me: no window titled Orlivane showed within 30 s" >&2; exit 1; }
sleep 1  # let it finish painting
xwd -root -silent | convert xwd:- "$shot"
echo "Screenshot saved to $shot"
