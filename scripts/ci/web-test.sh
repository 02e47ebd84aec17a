#!/usr/bin/env bash
# Builds the browser version, serves it on 127.0.0.1 and plays it in
# Debian's headless chromium, driven by playwright-core from the npm
# registry (the version pinned in tests/web; no browser is downloaded).
# Compares its games with marobel-sim's, tick for tick.
#
#   scripts/ci/web-test.sh
# Environment: MAROBEL_WEB_BUILD (default build-web) and
# MAROBEL_WEB_NATIVE_BUILD as for scripts/build-web.sh; CHROMIUM the
# browser (default /usr/bin/chromium).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="${MAROBEL_WEB_BUILD:-$root/build-web}"
native="${MAROBEL_WEB_NATIVE_BUILD:-$out/native}"
jobs="${JOBS:-2}"
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1

bash "$root/scripts/build-web.sh"
cmake --build "$native" -j "$jobs" --target marobel-sim

(cd "$root/tests/web" && npm ci --no-audit --no-fund --loglevel=error)

node "$root/tests/web/web_test.mjs" \
  --site "$out/site" \
  --sim "$native/app/sim/marobel-sim" \
  --assets "$native/assets" \
  --out "$out/test"
