#!/usr/bin/env bash
# The core's folders stand in layers (see the top CMakeLists.txt); a file
# includes only its own folder and those below it, and nothing outside the
# core. Prints the include graph between the folders, then fails on every
# include against the order. Also counts the front ends' and tools' direct
# includes of the game state, which are meant to go away.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

layers=(canvas game render bonus cabinet)

declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
declare -A edges
status=0

for from in "${layers[@]}"; do
  while IFS= read -r file; do
    while IFS= read -r to; do
      [ "$to" = "$from" ] && continue
      edge="$from -> $to"
      edges[$edge]=$((${edges[$edge]:-0} + 1))
      if [ -z "${rank[$to]+set}" ]; then
        echo "include-graph: $file includes from $to/, which is outside the core" >&2
        status=1
      elif [ "${rank[$to]}" -gt "${rank[$from]}" ]; then
        echo "include-graph: $file includes from $to/, a layer above $from/" >&2
        status=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"/]*\)\/.*/\1/p' "$file")
  done < <(find "$from" -name '*.h' -o -name '*.cpp' | sort)
done

echo "include graph, in include lines (layers ${layers[*]}, lowest first):"
for edge in "${!edges[@]}"; do echo "  $edge: ${edges[$edge]}"; done | sort
state_includes=$({ grep -rls --include='*.h' --include='*.cpp' '#include "game/state.h"' app tools || true; } | wc -l)
echo "files under app/ and tools/ that include game/state.h: $state_includes"

[ "$status" -eq 0 ] && echo "include-graph: no include against the layer order"
exit "$status"
