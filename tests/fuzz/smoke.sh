#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every fuzz target of a build for a short while on its checked-in corpus
# and fails on the first crash, sanitizer report or broken invariant.
#   tests/fuzz/smoke.sh BUILD_DIR [SECONDS_PER_TARGET]
# New inputs go to BUILD_DIR/fuzz-smoke, never into the checked-in corpus;
# a failing input is kept there as crash-*, leak-* or timeout-*.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-10}"
work="$build/fuzz-smoke"
rm -rf "$work"
mkdir -p "$work"

# Leaks count here: the targets run plain core code, no event loop.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# One target: its log and any failing input stay in $work.
smoke() {
    local bin=$1 name corpus log
    name="$(basename "$bin")"
    corpus="$here/corpus/$name"
    [ -d "$corpus" ] || { echo "fuzz: no corpus for $name at $corpus" >&2; return 1; }
    mkdir -p "$work/$name"
    local args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                -artifact_prefix="$work/$name-")
    [ -f "$here/dict/$name.dict" ] && args+=(-dict="$here/dict/$name.dict")
    log="$work/$name.log"
    if ! "$bin" "${args[@]}" "$work/$name" "$corpus" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz: $name FAILED (log and input in $work)" >&2
        return 1
    fi
    echo "fuzz: $name ok, $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in ${seconds} s"
}

# All targets at once: the time limit is wall time, so the smoke takes
# SECONDS however many there are.
pids=()
for bin in "$build"/fuzz/fuzz_*; do
    [ -x "$bin" ] || continue
    smoke "$bin" &
    pids+=($!)
done
[ "${#pids[@]}" -gt 0 ] || { echo "fuzz: no targets in $build/fuzz" >&2; exit 1; }
failed=0
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
exit "$failed"
