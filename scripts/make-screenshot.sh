#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes docs/presetta.png: the main window with a list downloaded from
# presetta-sim, run under a virtual X server. Usage: scripts/make-screenshot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
presetta_install "${PRESETTA_PACKAGES[@]}" xvfb xdotool x11-apps imagemagick
cmake -S . -B build -G Ninja >/dev/null
cmake --build build >/dev/null
out=$(realpath -m "${1:-docs/presetta.png}")

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# A receiver with a few stations of its own.
cat > "$work/memories.txt" <<'LIST'
1,100400,0,1,D3C3,REGNBOGN
2,87600,5,0,D3C4,RADIO
3,1008,2,0,0000,AMSTAT
4,94300,0,1,D401,KLASSIK
5,99100,0,1,D402,JAZZ 24
6,104800,7,1,D403,NEWS
7,106700,0,1,D404,CITY FM
8,89500,3,0,D405,CAMPUS
9,6075,4,0,0000,SW 49M
10,91700,0,1,D406,OLDIES
LIST

Xvfb :77 -screen 0 1280x800x24 >/dev/null 2>&1 & pids+=($!)
export DISPLAY=:77
sleep 1
build/presetta-sim --store "$work/memories.txt" --quiet > "$work/sim.out" & pids+=($!)
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done

build/presetta >/dev/null 2>&1 & pids+=($!)
wid=
for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "ESP32 Presetta" 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "no window appeared" >&2; exit 1; }
sleep 1
# The simulator is the last port of the list: pick it, connect, download.
xdotool mousemove --window "$wid" 176 22 click 1
sleep 0.5
xdotool key End Return
sleep 0.3
xdotool mousemove --window "$wid" 357 22 click 1
sleep 1
xdotool mousemove --window "$wid" 449 22 click 1
sleep 5
xdotool mousemove --window "$wid" 60 90 click 1
sleep 0.5
conv=/usr/bin/convert-im6.q16; [ -x $conv ] || conv=convert
xwd -silent -id "$wid" | $conv xwd:- "$out"
echo "wrote $out"
