#!/usr/bin/env bash
# Builds the picture reader's fuzz target with clang and fuzzes it briefly,
# starting from a seed of every supported bitmap kind.
# Usage: scripts/ci/fuzz.sh [SECONDS]   (default 30)
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-30}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMAROBEL_FUZZ=ON \
  -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF
ninja -C build-fuzz bmp_reader_fuzz bmp_fuzz_corpus
build-fuzz/fuzz/bmp_reader_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 build-fuzz/fuzz/corpus

# The wave reader, from a seed of every sample layout it takes.
ninja -C build-fuzz wave_reader_fuzz wave_fuzz_corpus
build-fuzz/fuzz/wave_reader_fuzz -max_total_time="$seconds" -rss_limit_mb=2048 build-fuzz/fuzz/wave-corpus
