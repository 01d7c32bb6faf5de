#!/usr/bin/env bash
# Runs the number-reading fuzzer for a while (default 60 s): scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/packages.sh"
ensure_packages cmake ninja-build clang libgtest-dev
build="$root/build/fuzz"
# The fuzzer's own sanitizers stand in for the ones the tests build with.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
    -DORLIVANE_FUZZ=ON -DBUILD_TESTING=OFF
cmake --build "$build" --target number_parse_fuzzer
mkdir -p "$build/corpus"
"$build/tests/fuzz/number_parse_fuzzer" -max_total_time="${1:-60}" -max_len=64 "$build/corpus"
