#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the three programs and starts Presetta.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
presetta_install "${PRESETTA_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# Only the programs: ./test.sh builds the tests and benchmarks in the same
# folder later, and leaves these as they are.
cmake --build build --target presetta presetta-cli presetta-sim
exec build/presetta "$@"
