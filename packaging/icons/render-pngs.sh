#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon into the hicolor PNG sizes that are checked in
# beside this script, so the build itself needs no SVG renderer.
# Run after changing src/app/resources/icons/presetta.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
svg=../../src/app/resources/icons/presetta.svg
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio "$svg" \
        --output "presetta-${size}.png"
done
