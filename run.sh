#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts Presetta.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
presetta_install "${PRESETTA_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
exec build/presetta "$@"
