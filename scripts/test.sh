#!/usr/bin/env bash
# Builds everything and runs every test: the platform-neutral code natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Windows programs under Wine in
# a throwaway prefix on a virtual X display. Installs whatever is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}" freerdp2-x11 iproute2 python3-pefile

native="$root/build/native"
windows="$root/build/windows"

cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORLIVANE_SANITIZE=ON
cmake --build "$native"
ctest --test-dir "$native" --output-on-failure

cmake -S "$root" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake"
cmake --build "$windows"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir "$windows" --output-on-failure </dev/null
