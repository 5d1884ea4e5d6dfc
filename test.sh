#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and runs every test through CTest: once in
# the normal build and once with AddressSanitizer and UndefinedBehaviorSanitizer;
# then builds the libFuzzer targets with clang and runs each for a short while.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
presetta_install "${PRESETTA_PACKAGES[@]}" ${PRESETTA_TEST_PACKAGES:-}
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

# Runs a build's tests as if its canary-home were the user's home: every test
# has folders of its own, and homes_check fails if one wrote there instead.
suite() {
    (cd "$1" && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME -u XDG_RUNTIME_DIR \
         HOME="$(pwd -P)/canary-home" ctest --output-on-failure -j"$jobs")
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
suite build

if [ "${PRESETTA_SKIP_ASAN:-0}" != 1 ]; then
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # Line tables are all a sanitizer's report needs, and much quicker to build.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
          -DPRESETTA_SANITIZE=ON -DPRESETTA_BUILD_BENCH=OFF >/dev/null
    cmake --build build-asan -j"$jobs"
    suite build-asan
fi

# Fuzz smoke: the parsers of files, replies and settings texts keep building
# and survive PRESETTA_FUZZ_SECONDS (10) of fuzzing each on their corpus.
if [ "${PRESETTA_SKIP_FUZZ:-0}" != 1 ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
          -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DPRESETTA_FUZZ=ON -DPRESETTA_BUILD_TESTS=OFF -DPRESETTA_BUILD_BENCH=OFF >/dev/null
    cmake --build build-fuzz --target presetta_fuzz -j"$jobs"
    tests/fuzz/smoke.sh build-fuzz "${PRESETTA_FUZZ_SECONDS:-10}"
fi
