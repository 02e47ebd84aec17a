#!/usr/bin/env bash
# The play set of scripts/install-deps.sh is enough to build and play: in a
# build made without the tests and benchmarks (scripts/run.sh's and the
# package's), every header the compiler read, every library the programs
# load, the build tools and the game's font come from Debian packages that
# the play set installs (its packages and what they depend on). Packages of
# the development set are installed here too, so merely building proves
# nothing; this finds anything the build took from outside the play set.
#
#   scripts/ci/play-deps-check.sh BUILD_DIR
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:?usage: play-deps-check.sh BUILD_DIR}" && pwd)"
fail() { echo "play-deps-check: FAIL: $*" >&2; exit 1; }

grep -q '^MAROBEL_TESTS:BOOL=OFF' "$build/CMakeCache.txt" && grep -q '^MAROBEL_BENCH:BOOL=OFF' "$build/CMakeCache.txt" ||
  fail "$build is not a build without tests and benchmarks"

# The play set as install-deps.sh lists it, comments dropped.
mapfile -t play < <(sed -n '/^play_packages=(/,/^)/p' "$root/scripts/install-deps.sh" |
  sed -e '1d;$d' -e 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d')
[ "${#play[@]}" -gt 0 ] || fail "no play_packages in scripts/install-deps.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
  --no-enhances "${play[@]}" 2>/dev/null | grep -v '^ ' | sed 's/:amd64$//' | sort -u > "$work/closure"

# Headers from the compiler's dependency records, libraries from the loader.
# The video module is left out: it is packaged apart (marobel-video) and
# built from the development set's FFmpeg libraries.
(cd "$build" && ninja -t deps) |
  awk '/^[^ ]/ { skip = ($0 ~ /marobel_sim_video\.dir/) } !skip && /^ +\/usr\// { print $1 }' > "$work/files"
for program in app/qt/marobel app/sim/marobel-sim tools/artgen/marobel-artgen; do
  [ -x "$build/$program" ] || fail "$build/$program is not built"
  ldd "$build/$program" | awk '/=> \// { print $3 }' >> "$work/files"
done
for tool in cmake ninja pkg-config gcc g++ /usr/lib/qt6/libexec/moc /usr/lib/qt6/libexec/rcc; do
  command -v "$tool" >> "$work/files" || fail "no $tool"
done
fc-match -f '%{file}\n' 'IPAGothic:lang=ja' >> "$work/files"

sort -u "$work/files" | xargs -d '\n' readlink -f | sort -u > "$work/resolved"
# dpkg knows some libraries by their name before /usr was merged (/lib/...).
owners() { xargs -a "$1" -d '\n' dpkg -S 2>/dev/null || true; }
owners "$work/resolved" > "$work/owners"
sed 's/^.*: \//\//' "$work/owners" | sort -u > "$work/found"
comm -23 "$work/resolved" "$work/found" | sed 's|^/usr||' > "$work/unmerged"
owners "$work/unmerged" >> "$work/owners"
sed 's/^.*: \//\//' "$work/owners" | sed 's|^/usr||' | sort -u > "$work/found-any"
unowned="$(sed 's|^/usr||' "$work/resolved" | sort -u | comm -23 - "$work/found-any")"
[ -z "$unowned" ] || fail "files of no Debian package: $(echo $unowned)"
sed 's/: \/.*//' "$work/owners" | tr ',' '\n' | sed 's/^ *//; s/:amd64$//' | sort -u > "$work/used"
[ "$(wc -l < "$work/used")" -gt 5 ] || fail "could not tell which packages the build used"
outside="$(comm -23 "$work/used" "$work/closure")"
[ -z "$outside" ] || fail "the build used packages the play set does not install: $(echo $outside)"
echo "play-deps-check: $(wc -l < "$work/resolved") files from $(wc -l < "$work/used") packages, all within the play set" \
  "($(wc -l < "$work/closure") packages with their dependencies)"
