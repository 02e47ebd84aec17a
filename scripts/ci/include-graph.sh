#!/usr/bin/env bash
# The core's folders stand in layers (see the top CMakeLists.txt); a file
# includes only its own folder and those below it, and nothing outside the
# core. Prints the include graph between the folders, then fails on every
# include against the order. The front ends, the session and the tools
# (app/, tools/) reach the game through its door, cabinet/cabinet.h: in
# app/ an include of any other header of the core fails, in tools/ (which
# draw the core's pictures from its own table) one of the game state or of
# the tick's own header,
# as does any include between app/ and tools/, or of a platform's system
# header (windows.h, iconv, stat, FreeType...) in the core.
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
behind_door=0
while IFS= read -r hit; do
  echo "include-graph: ${hit%%:*} includes ${hit#*#include }: outside the core, the game is reached through cabinet/cabinet.h" >&2
  behind_door=$((behind_door + 1))
  status=1
done < <({
  grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(game/state|cabinet/tick)\.h"' tools
  # The programs see no header of the core but the door itself.
  grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(canvas|game|render|bonus|cabinet)/' app |
    grep -v '"cabinet/cabinet\.h"'
} 2>/dev/null | sort || true)
echo "files under app/ and tools/ that go behind the cabinet's door: $behind_door"

# The programs (app/) and the tools that make their files (tools/) share
# only what is below both: the core and the file formats (formats/).
crossing=0
for pair in "app tools" "tools app"; do
  read -r from to <<<"$pair"
  while IFS= read -r hit; do
    echo "include-graph: ${hit%%:*} includes \"${hit#*\"}: $from/ and $to/ do not include each other" >&2
    crossing=$((crossing + 1))
    status=1
  done < <(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"$to/" "$from" 2>/dev/null | sort || true)
done
echo "includes between app/ and tools/: $crossing"

# A front end knows the game only through the session: of the project it
# includes app/session/, its own folder, the shared file formats, its own
# platform's folder and (the Windows shell) its resource ids; the headers
# the build generates carry no folder.
declare -A own_platform=([win32]=windows [web]=web)
front=0
for shell in qt win32 web sim term; do
  [ -d "app/$shell" ] || continue
  allowed="app/session/|app/$shell/|formats/"
  [ -n "${own_platform[$shell]:-}" ] && allowed+="|platform/${own_platform[$shell]}/"
  [ "$shell" = win32 ] && allowed+="|res/"
  while IFS= read -r hit; do
    echo "include-graph: ${hit%%:*} includes \"${hit#*\"}: a front end includes only app/session/ of the game" >&2
    front=$((front + 1))
    status=1
  done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "app/$shell" |
           grep -vE "#[[:space:]]*include[[:space:]]*\"($allowed)" | sort || true)
done
echo "front-end includes past the session: $front"
mainCanvas_outside=$(grep -rlw --include='*.h' --include='*.cpp' mainCanvas app tools platform formats 2>/dev/null | sort || true)
for file in $mainCanvas_outside; do
  echo "include-graph: $file names mainCanvas: the game's canvas stays behind the door" >&2
  status=1
done

# The core asks the system for nothing itself: what it needs of one (text,
# code pages, file stamps) it declares, and platform/ implements. A system
# header of a platform in the core fails.
platform_headers='windows\.h|iconv\.h|sys/[a-z_]+\.h|unistd\.h|fcntl\.h|dlfcn\.h|io\.h|ft2build\.h|fontconfig/[a-z_]+\.h|emscripten(/[a-z_]+)?\.h'
in_core=0
while IFS= read -r hit; do
  echo "include-graph: ${hit%%:*} includes <${hit#*<}: the core includes no platform header (platform/ implements what it needs)" >&2
  in_core=$((in_core + 1))
  status=1
done < <(grep -rnE --include='*.h' --include='*.cpp' "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($platform_headers)>" "${layers[@]}" 2>/dev/null | sort || true)
echo "platform headers in the core: $in_core"

[ "$status" -eq 0 ] && echo "include-graph: no include against the layer order"
exit "$status"
