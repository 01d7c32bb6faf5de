#!/usr/bin/env bash
# Measures the launcher against its floors and prints one table: start-up time and peak
# working set against a bare window program, the cost of writing the connection file
# against the least the same work needs, the executable's size, and long runs that show
# leaks. Builds in Release into build/windows and runs everything under Wine in a
# throwaway prefix of its own (build/bench-prefix) on a virtual X display when there is
# no display. Installs whatever is missing first.
#
#   scripts/bench.sh             the full run (about five minutes)
#   PAIRS=5 LAUNCHES=100 CYCLES=1000 TOGGLES=200 scripts/bench.sh    a quicker one
#
# The table is also written to build/bench/results.md, the raw output beside it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/packages.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${WINE_PACKAGES[@]}"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi

PAIRS=${PAIRS:-20}
WARMUP=${WARMUP:-3}
LAUNCHES=${LAUNCHES:-1000}
CYCLES=${CYCLES:-10000}
TOGGLES=${TOGGLES:-2000}

windows="$root/build/windows"
prefix="$root/build/bench-prefix"
out="$root/build/bench"

cmake -S "$root" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" >/dev/null
cmake --build "$windows" --target bare_window noop_handler startup_timer launch_cost endurance
. "$windows/tools/bench/bench-programs.sh"
if [ -n "$orlivane" ]; then
    if ! cmake --build "$windows" --target orlivane; then
        echo "The launcher does not build at present: its rows are skipped." >&2
        orlivane=""
    fi
else
    echo "The launcher (target orlivane) is not in this tree yet: its rows are skipped."
fi

rm -rf "$out"
mkdir -p "$out"

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# One wineserver for the whole run, started here so that no wine process hands it this
# script's output; stopped however the script ends.
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot -i >"$out/wineboot.log" 2>&1

win_path() { printf 'Z:%s' "$1" | sed 's#/#\\#g'; }
# The shell hands .rdp files to a handler that does nothing.
wine reg add 'HKLM\Software\Classes\.rdp' /ve /d OrlivaneBench.Noop /f >>"$out/wine.log" 2>&1
wine reg add 'HKLM\Software\Classes\OrlivaneBench.Noop\shell\open\command' /ve \
    /d "\"$(win_path "$noop_handler")\" \"%1\"" /f >>"$out/wine.log" 2>&1

orlivane_arg=()
[ -n "$orlivane" ] && [ -f "$orlivane" ] && orlivane_arg=(--orlivane "$(win_path "$orlivane")")

# Runs one benchmark program, its output to a file (wine's output must not be a pipe
# that the wineserver could keep open).
run() {
    local name=$1
    shift
    echo "== $name" >&2
    local status=0
    wine "$@" >"$out/$name.txt" 2>"$out/$name.err" || status=$?
    tr -d '\r' <"$out/$name.txt" | grep -v '^ROW|' >&2 || true
    if [ "$status" -ne 0 ]; then
        tr -d '\r' <"$out/$name.err" >&2
        echo "$name FAILED (exit code $status)" >&2
        failed=1
    fi
}
failed=0

run startup "$startup_timer" --bare "$(win_path "$bare_window")" "${orlivane_arg[@]}" \
    --pairs "$PAIRS" --warmup "$WARMUP"
run launch_cost "$launch_cost"
run endurance "$endurance" --launches "$LAUNCHES" --cycles "$CYCLES" --toggles "$TOGGLES" \
    "${orlivane_arg[@]}"

kib() { awk -v b="$1" 'BEGIN { printf "%.1f KiB", b / 1024 }'; }
bare_size=$(stat -c %s "$bare_window")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f×", a / b }'; }
size_row() {  # label file
    local size
    size=$(stat -c %s "$2")
    echo "ROW|$1|$(kib "$size")|$(kib "$bare_size")|$(ratio "$size" "$bare_size")|< 1024 KiB|$([ "$size" -lt 1048576 ] && echo met || echo MISSED)"
}
if [ -n "${orlivane_arg[*]}" ]; then
    size_rows=$(size_row "Executable size (orlivane.exe as built, all artwork)" "$orlivane")
    # A build that keeps symbols or debugging sections: show what stripping would ship.
    x86_64-w64-mingw32-strip -o "$out/orlivane-stripped.exe" "$orlivane"
    if ! cmp -s "$orlivane" "$out/orlivane-stripped.exe"; then
        size_rows="$size_rows
$(size_row "Executable size (orlivane.exe stripped)" "$out/orlivane-stripped.exe")"
    fi
else
    size_rows="ROW|Executable size (orlivane.exe, all artwork)|not built yet|$(kib "$bare_size")|—|< 1024 KiB|not run"
fi

{
    echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) CPUs," \
        "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
        "$(free -g | awk '/^Mem:/ { print $2 " GiB" }') memory, $(wine --version)"
    echo
    echo "| Measure | Orlivane | Reference | Ratio | Target | Result |"
    echo "|---|---|---|---|---|---|"
    {
        tr -d '\r' <"$out/startup.txt" | grep '^ROW|' | grep 'Start-up'
        tr -d '\r' <"$out/launch_cost.txt" | grep '^ROW|'
        echo "$size_rows"
        tr -d '\r' <"$out/startup.txt" | grep '^ROW|' | grep 'working set'
        tr -d '\r' <"$out/endurance.txt" | grep '^ROW|'
    } | awk -F'|' '{ printf "|"; for (i = 2; i <= NF; i++) printf " %s |", $i; print "" }'
} >"$out/results.md"
echo
cat "$out/results.md"
exit "$failed"
