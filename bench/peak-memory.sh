#!/usr/bin/env bash
# Peak resident memory of the headless runner over a 10,000-tick game with
# random key presses, its trace to /dev/null. Without --frames nothing reads
# the pixels, so no frame is composed (bench/runner_bench.cpp measures the
# rich game the same way).
# Usage: bench/peak-memory.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
keys=$(mktemp)
trap 'rm -f "$keys"' EXIT
awk 'BEGIN { srand(3); for (t = 1; t <= 10000; t++) if (rand() < 0.1) print t, (rand() < 0.5 ? "left" : "right") }' > "$keys"
/usr/bin/time -f '%M' -o "$keys.mem" "$build/app/sim/marobel-sim" --ticks 10000 --credits 100 \
  --keys "$keys" --assets "$build/assets" --trace /dev/null
echo "marobel-sim, 10000 ticks: peak resident memory $(cat "$keys.mem") KiB"
rm -f "$keys.mem"
