#!/usr/bin/env bash
# scripts/ci/include-graph.sh on small trees of its own: it passes the
# repository as it is, fails on an include upwards or out of the core
# (naming the file), and fails on a front end that goes behind the
# cabinet's door.
#
#   include_graph_test.sh PATH_TO_include-graph.sh
set -uo pipefail

script=${1:?usage: include_graph_test.sh include-graph.sh}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

# A tree with one file a layer, each including the layer below it.
fresh_tree() {
  rm -rf "${root:?}"/*
  mkdir -p "$root/scripts/ci" "$root/canvas" "$root/game" "$root/render" "$root/bonus" "$root/cabinet" "$root/app/qt"
  cp "$script" "$root/scripts/ci/include-graph.sh"
  echo '#pragma once' >"$root/canvas/canvas.h"
  printf '#include "canvas/canvas.h"\n#include <vector>\n' >"$root/game/state.h"
  printf '#include "game/state.h"\n#include "canvas/canvas.h"\n' >"$root/render/frame.cpp"
  printf '#include "render/frame.h"\n' >"$root/bonus/gate.cpp"
  printf '#include "bonus/gate.h"\n#include "game/state.h"\n' >"$root/cabinet/tick.cpp"
  mkdir -p "$root/app/session"
  printf '#include "cabinet/cabinet.h"\n' >"$root/app/session/game_session.h"
  printf '#include "app/session/game_session.h"\n#include "formats/wave_file.h"\n' >"$root/app/qt/main.cpp"
}

run() { output=$(bash "$root/scripts/ci/include-graph.sh" 2>&1); }

if ! output=$(bash "$script" 2>&1); then fail "the repository itself: $output"; fi

fresh_tree
if ! run; then fail "a tree in layer order: $output"; fi
grep -q 'cabinet -> game: 1' <<<"$output" || fail "edge counts: $output"
grep -q "go behind the cabinet's door: 0" <<<"$output" || fail "front-end count: $output"

for inner in game/state.h cabinet/tick.h; do
  fresh_tree
  mkdir -p "$root/tools/sim"
  printf '#include "%s"\n' "$inner" >"$root/tools/sim/main.cpp"
  if run; then fail "a tool including $inner passed"; fi
  grep -q "tools/sim/main.cpp includes \"$inner\"" <<<"$output" || fail "$inner behind the door not named: $output"
done

fresh_tree
printf '#include "bonus/gate.h"\n' >>"$root/render/frame.cpp"
if run; then fail "render including bonus passed"; fi
grep -q 'render/frame.cpp includes from bonus/, a layer above render/' <<<"$output" || fail "upward include not named: $output"

fresh_tree
printf '  #  include "cabinet/tick.h"\n' >"$root/canvas/surface.h"
if run; then fail "an indented include upwards passed"; fi

fresh_tree
printf '#include "app/qt/main.h"\n' >"$root/bonus/gate.h"
if run; then fail "the core including a front end passed"; fi
grep -q 'bonus/gate.h includes from app/, which is outside the core' <<<"$output" || fail "outside include not named: $output"

fresh_tree
printf '#include "cabinet/tick.h"\n' >"$root/game/coin_life.h"
if run; then fail "game including the cabinet passed"; fi

# The core includes no header of a platform; the platform layer does.
for header in windows.h iconv.h sys/stat.h ft2build.h emscripten/emscripten.h; do
  fresh_tree
  printf '#include <vector>\n#include <%s>\n' "$header" >"$root/canvas/file_stamp.cpp"
  if run; then fail "the core including <$header> passed"; fi
  grep -q "canvas/file_stamp.cpp includes <$header>" <<<"$output" || fail "<$header> in the core not named: $output"
done
fresh_tree
mkdir -p "$root/platform/posix"
printf '#include <sys/stat.h>\n#include "canvas/canvas.h"\n' >"$root/platform/posix/file_stamp.cpp"
if ! run; then fail "the platform layer including <sys/stat.h> failed: $output"; fi
grep -q "platform headers in the core: 0" <<<"$output" || fail "platform header count: $output"

# The programs and the tools include each other in neither direction, and
# both may include the shared formats.
for pair in "app/sim/main.cpp tools/artgen/bmp.h" "tools/artgen/main.cpp app/session/wave_file.h"; do
  read -r file included <<<"$pair"
  fresh_tree
  mkdir -p "$root/$(dirname "$file")"
  printf '#include "formats/wave_file.h"\n  #  include "%s"\n' "$included" >"$root/$file"
  if run; then fail "$file including $included passed"; fi
  grep -q "$file includes \"$included\"" <<<"$output" || fail "$file including $included not named: $output"
  grep -q "includes between app/ and tools/: 1" <<<"$output" || fail "crossing count: $output"
done

# Past the session, a front end sees nothing of the game: not even the
# door, nor another front end; and outside the core nothing names the
# game's canvas.
for included in cabinet/cabinet.h app/web/live_game.h render/frame.h; do
  fresh_tree
  printf '#include "%s"\n' "$included" >>"$root/app/qt/main.cpp"
  if run; then fail "a front end including $included passed"; fi
  grep -q "app/qt/main.cpp includes \"$included\": a front end includes only app/session/" <<<"$output" ||
    fail "$included in a front end not named: $output"
done
fresh_tree
printf '#include "game/state.h"\n' >>"$root/app/session/game_session.h"
if run; then fail "the session including the game state passed"; fi
fresh_tree
printf 'void Show() { mainCanvas.Present(); }\n' >>"$root/app/qt/main.cpp"
if run; then fail "a front end naming mainCanvas passed"; fi
grep -q "app/qt/main.cpp names mainCanvas" <<<"$output" || fail "mainCanvas outside the core not named: $output"

[ "$failures" -eq 0 ] && echo "include graph: all cases pass"
exit "$((failures > 0))"
