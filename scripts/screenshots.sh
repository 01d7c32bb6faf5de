#!/usr/bin/env bash
# Screenshots of the real program under Wine on a virtual display, at 96 and 144 DPI, in
# settings mode (first start) and launch mode: docs/screenshot-<dpi>-<mode>.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"

build="$root/build/windows"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
cmake --build "$build" --target orlivane >/dev/null
exe="$build/app/orlivane.exe"

export WINEPREFIX="$build/screenshot-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1

shoot() {  # shoot NAME: start the program, capture its window with a margin, close it
    wine "$exe" >/dev/null 2>&1 &
    local window=""
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Orlivane$' 2>/dev/null | tail -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
    sleep 1.5  # let it paint
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xwd -root -silent | convert xwd:- -crop "$((WIDTH + 24))x$((HEIGHT + 48))+$((X - 12))+$((Y - 36))" \
        +repage "$root/docs/$1.png"
    wine reg add 'HKCU\Software\Wine' /v dummy /d 1 /f >/dev/null 2>&1  # wait for the prefix
    xdotool key --window "$window" alt+F4 2>/dev/null || true
    wineserver -k
    wineserver -p
}

for dpi in 96 144; do
    wine reg delete 'HKCU\Software\TressikSettings' /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k; wineserver -p
    shoot "screenshot-$dpi-settings"
    wine reg add 'HKCU\Software\TressikSettings\Orlivane' /v Server /d acme01 /f >/dev/null 2>&1
    shoot "screenshot-$dpi-launch"
done
echo "Screenshots written to $root/docs"
