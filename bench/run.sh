#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and prints their tables: bench/run.sh [build folder]
# Other work on the machine moves the figures: each one is a median of
# several runs, but a quiet machine gives the steadiest numbers.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target benchmarks >/dev/null
export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false'
for bench in "bench_transfer --counts 99,999,9999" bench_startup; do
    echo "### ${bench%% *}"
    echo
    # shellcheck disable=SC2086 # the options are split on purpose
    "$build"/bench/$bench
    echo
done
