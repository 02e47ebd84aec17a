#!/usr/bin/env bash
# Fuzzes for longer than CI does, one target at a time on one core, with a
# corpus that grows from run to run.
#
# Usage: scripts/fuzz-campaign.sh SECONDS [TARGET...]
#        scripts/fuzz-campaign.sh --list
#   SECONDS  how long to fuzz each target
#   TARGET   a fuzz target (see --list); none or "all" means every one
#
# Each target's corpus lives in fuzz-corpus/TARGET/ (git-ignored) and starts
# from the seeds the build writes, and is cut back to the inputs that add
# coverage after each run; inputs that crash, leak, hang or run out of
# memory are kept in fuzz-corpus/TARGET-findings/. Replay one with
#   build-fuzz/fuzz/TARGET fuzz-corpus/TARGET-findings/crash-...
# At the end a table gives, per target, the inputs run, the corpus size and
# what was found. Exit status: 0 if nothing was found, 1 if something was,
# 2 for bad usage.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MAROBEL_FUZZ_BUILD:-build-fuzz}
corpora=fuzz-corpus

usage() {
  sed -n '5,8s/^# \{0,1\}//p' "$0" >&2
  exit 2
}

[ $# -ge 1 ] || usage
[ "$1" = --list ] || [[ "$1" =~ ^[1-9][0-9]*$ ]] || usage

if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMAROBEL_FUZZ=ON \
    -DMAROBEL_TESTS=OFF -DMAROBEL_BENCH=OFF -DMAROBEL_QT=OFF >/dev/null
fi
# Every executable named *_fuzz is a target.
mapfile -t known < <(ninja -C "$build" -t targets all | sed -n 's/^\([A-Za-z0-9_]*_fuzz\): phony$/\1/p' | grep -v '^cmake_' | sort)

if [ "$1" = --list ]; then
  printf '%s\n' "${known[@]}"
  exit 0
fi
seconds=$1
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ] || [ "${targets[*]}" = all ]; then targets=("${known[@]}"); fi
for t in "${targets[@]}"; do
  if ! printf '%s\n' "${known[@]}" | grep -qx -- "$t"; then
    echo "fuzz-campaign: unknown target '$t' (known: ${known[*]})" >&2
    exit 2
  fi
done

# The build target that writes a fuzzer's seeds, and the folder it writes.
seeds_of() {
  case $1 in
    bmp_reader_fuzz) echo "bmp_fuzz_corpus $build/fuzz/corpus" ;;
    *) echo "${1}_seeds $build/fuzz/seeds/$1" ;;
  esac
}

has_build_target() { ninja -C "$build" -t targets all | grep -qx "$1: phony"; }

report=()
found_any=0
for t in "${targets[@]}"; do
  read -r seed_target seed_dir < <(seeds_of "$t")
  to_build=("$t")
  if has_build_target "$seed_target"; then to_build+=("$seed_target"); else seed_dir=""; fi
  ninja -C "$build" -j2 "${to_build[@]}"

  corpus=$corpora/$t
  findings=$corpora/$t-findings
  mkdir -p "$corpus" "$findings"
  before=$(find "$findings" -type f | wc -l)
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$findings/")
  [ -f "fuzz/$t.dict" ] && args+=(-dict="fuzz/$t.dict")
  log=$corpora/$t.log
  echo "fuzz-campaign: $t for ${seconds}s (log: $log)"
  status=0
  "$build/fuzz/$t" "${args[@]}" "$corpus" ${seed_dir:+"$seed_dir"} >"$log" 2>&1 || status=$?

  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  # A run cut short by a crash may not print its final stats.
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')
  new=$(($(find "$findings" -type f | wc -l) - before))
  # libFuzzer only ever adds files; keep the inputs that still add coverage.
  if [ "$status" -eq 0 ] && rm -rf "$corpus.merged" && mkdir "$corpus.merged" &&
     "$build/fuzz/$t" -merge=1 -rss_limit_mb=2048 "$corpus.merged" "$corpus" >>"$log" 2>&1; then
    rm -rf "$corpus" && mv "$corpus.merged" "$corpus"
  else
    rm -rf "$corpus.merged"
  fi
  if [ "$status" -ne 0 ] || [ "$new" -gt 0 ]; then
    found_any=1
    what="FOUND: exit $status, $new new file(s) in $findings/"
  else
    what="nothing"
  fi
  report+=("$(printf '%-20s %8s %14s %8s  %s' "$t" "$seconds" "${runs:-?}" "$(find "$corpus" -type f | wc -l)" "$what")")
done

printf '\n%-20s %8s %14s %8s  %s\n' target seconds "inputs run" corpus found
printf '%s\n' "${report[@]}"
exit "$found_any"
