#!/usr/bin/env bash
# Builds everything and runs every test: unit and integration tests, the
# sanitizer build, a short fuzzing run, the Windows build under Wine, and
# the packages (.deb and Windows installer) installed, played and removed.
# On a fresh Debian or Ubuntu machine it first installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh --dev

step() { printf '\n=== %s ===\n' "$*"; }

step "Lint: formatting and shell scripts"
bash scripts/ci/lint.sh

step "Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAROBEL_TESTS=ON -DMAROBEL_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" 2>&1 | tee build/ctest-summary.log

step "AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMAROBEL_SANITIZE=ON -DMAROBEL_QT=OFF -DMAROBEL_BENCH=OFF
cmake --build build-asan -j "$jobs" --target marobel_tests marobel-sim marobel_assets
# The long games run in the release build; here a shorter random game.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ./build-asan/tests/marobel_tests --gtest_filter='-Runner.LongRandomGameCompletes:*FastPathDifferential*:LiteralDesign*'
awk 'BEGIN { srand(7); for (t = 1; t <= 3000; t++) if (rand() < 0.05) print t, (rand() < 0.5 ? "left" : "right") }' \
  > build-asan/random.keys
./build-asan/app/sim/marobel-sim --ticks 3000 --credits 200 --keys build-asan/random.keys \
  --assets build-asan/assets --draws --trace /dev/null

if [ -f scripts/ci/fuzz.sh ]; then
  step "Fuzzing the picture reader, the key-script parser, the runner's options and the wave reader"
  bash scripts/ci/fuzz.sh
fi

step "Windows build: resources, then the game under Wine, its recorded games checked by the Linux runner"
bash scripts/ci/wine-resources.sh
bash scripts/ci/wine-smoke.sh build-win build

step "Packages: the .deb and the Windows installer, installed, played and removed"
bash scripts/ci/deb-install-test.sh build
bash scripts/ci/play-deps-check.sh build-deb
bash scripts/ci/wine-installer-test.sh build-win

step "Browser build (WebAssembly) in headless chromium"
MAROBEL_WEB_NATIVE_BUILD="$PWD/build" bash scripts/ci/web-test.sh

step "Summary of the release tests (every later step passed too)"
grep -E 'tests did not run|Skipped|tests passed|tests failed' build/ctest-summary.log
