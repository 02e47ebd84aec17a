#!/usr/bin/env bash
# Builds the fuzz targets with clang and fuzzes each briefly from its seed
# corpus: the picture reader for SECONDS, the text parsers (key scripts,
# also as replay links carry them, and the runner's options), the wave
# reader and the snapshot reader for a few seconds each. Each reaches its full coverage within about ten seconds from
# the seeds; longer runs with a lasting corpus: scripts/fuzz-campaign.sh.
# Usage: scripts/ci/fuzz.sh [SECONDS]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-20}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMAROBEL_FUZZ=ON \
  -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF
ninja -C build-fuzz bmp_reader_fuzz bmp_fuzz_corpus
build-fuzz/fuzz/bmp_reader_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 build-fuzz/fuzz/corpus

ninja -C build-fuzz key_script_fuzz key_script_fuzz_seeds
build-fuzz/fuzz/key_script_fuzz -max_total_time=8 -rss_limit_mb=2048 -dict=fuzz/key_script_fuzz.dict \
  build-fuzz/fuzz/seeds/key_script_fuzz

ninja -C build-fuzz sim_options_fuzz sim_options_fuzz_seeds
build-fuzz/fuzz/sim_options_fuzz -max_total_time=8 -rss_limit_mb=2048 -dict=fuzz/sim_options_fuzz.dict \
  build-fuzz/fuzz/seeds/sim_options_fuzz

# The wave reader, from a seed of every sample layout it takes.
ninja -C build-fuzz wave_reader_fuzz wave_reader_fuzz_seeds
build-fuzz/fuzz/wave_reader_fuzz -max_total_time=8 -rss_limit_mb=2048 build-fuzz/fuzz/seeds/wave_reader_fuzz

# Snapshots, from real games' snapshots.
ninja -C build-fuzz snapshot_fuzz snapshot_fuzz_seeds
build-fuzz/fuzz/snapshot_fuzz -max_total_time=8 -rss_limit_mb=2048 build-fuzz/fuzz/seeds/snapshot_fuzz
