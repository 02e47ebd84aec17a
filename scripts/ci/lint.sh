#!/usr/bin/env bash
# The source stays in one style and the scripts free of shellcheck warnings:
# clang-format (the repository's .clang-format) on every C++ file git
# tracks, shellcheck on every shell script, the core's include layers, and
# the Windows resource script against the shell's table of facts. Lists
# every finding, then fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
status=0

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "lint: the files above are not formatted; run: clang-format -i \$(git ls-files '*.cpp' '*.h')" >&2
  status=1
fi

mapfile -t scripts < <(git ls-files '*.sh')
if ! shellcheck -x --severity=warning "${scripts[@]}" ||
  ! shellcheck --severity=warning --shell=sh cmake/program-launcher.sh.in; then
  echo "lint: shellcheck found the warnings above" >&2
  status=1
fi

if ! bash scripts/ci/include-graph.sh; then
  echo "lint: an include goes against the core's layers" >&2
  status=1
fi

# The Windows resource script against the shell's table of facts.
bash scripts/ci/shell-facts-check.sh || status=1

[ "$status" -eq 0 ] && echo "lint: ${#sources[@]} C++ files formatted, ${#scripts[@]} scripts clean"
exit "$status"
