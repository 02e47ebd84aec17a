#!/usr/bin/env bash
# The Debian package as a player gets it:
#   - scripts/package-deb.sh builds it; desktop-file-validate, appstreamcli
#     (pedantic, no warnings: scripts/ci/desktop-metadata-check.sh) and
#     lintian (no errors or warnings) check it, and
#     marobel-video beside it; the manual pages describe every option of the
#     installed programs' --help (scripts/ci/manual-page-check.sh);
#   - apt-get installs both, resolving their declared dependencies;
#   - `marobel`, found on a player's PATH and started from an unrelated
#     folder, opens the window titled "Marobel ～Orvik～" on a virtual X
#     display and shows the cabinet (checked by pixels), its window class is
#     the desktop entry's StartupWMClass, and it ends with status 0 on a
#     close request; `marobel-sim` runs from the PATH and makes a video;
#   - `apt-get remove --purge` of both leaves none of their files behind.
#
#   scripts/ci/deb-install-test.sh [BUILD_DIR]
# BUILD_DIR is a build with the tests (default: build), for the screenshot
# checker and the close request of tests/qt. Needs root: it installs and
# removes the package on this system.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
check="$build/tests/qt/marobel-screenshot-check"
close_request="$build/tests/qt/marobel-x11-close"
title='Marobel ～Orvik～'
# The Debian games policy's folders.
data=/usr/share/games/marobel
programs=/usr/lib/games/marobel
# A Debian user's PATH (/etc/profile): games' commands are in /usr/games.
player_path=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games

fail() { echo "deb-install-test: FAIL: $*" >&2; exit 1; }
note() { echo "deb-install-test: $*"; }

[ "$(id -u)" -eq 0 ] || fail "needs root to install the package"
for file in "$check" "$close_request"; do
  [ -x "$file" ] || fail "$file is missing (build $build with the tests)"
done

work="$(mktemp -d /tmp/marobel-deb.XXXXXX)"
xvfb_pid=""
game_pid=""
cleanup() {
  set +e
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# --- Build and static checks ------------------------------------------------
bash "$root/scripts/package-deb.sh"
deb="$(ls "${MAROBEL_DEB_BUILD:-$root/build-deb}"/marobel_*_amd64.deb)"
video_deb="$(ls "${MAROBEL_DEB_BUILD:-$root/build-deb}"/marobel-video_*_amd64.deb)" ||
  fail "no marobel-video package (FFmpeg's development libraries missing?)"
mkdir "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
desktop="$work/unpacked/usr/share/applications/marobel.desktop"
metainfo=("$work"/unpacked/usr/share/metainfo/*.metainfo.xml)
if [ "${#metainfo[@]}" -ne 1 ] || [ ! -f "${metainfo[0]}" ]; then fail "not one AppStream file: ${metainfo[*]}"; fi
bash "$root/scripts/ci/desktop-metadata-check.sh" "$desktop" "${metainfo[0]}" ||
  fail "the desktop entry or the AppStream metadata"
wm_class="$(sed -n 's/^StartupWMClass=//p' "$desktop" | head -n1)"
lintian --fail-on error,warning "$deb" "$video_deb" || fail "lintian reports errors or warnings"
note "lintian: no errors or warnings"

# --- Install ----------------------------------------------------------------
if dpkg-query -W -f='${Status}' marobel 2>/dev/null | grep -q 'ok installed'; then
  DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq marobel marobel-video >/dev/null
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" "$video_deb" >/dev/null ||
  fail "apt-get install $deb $video_deb"
note "installed $(dpkg-query -W -f='${Package} ${Version}, ' marobel marobel-video)"

for package in "$deb" "$video_deb"; do
  dpkg-deb --fsys-tarfile "$package" | tar -t | sed 's|^\./|/|' | grep -v '/$'
done > "$work/files"
[ "$(ls "$data"/*.bmp | wc -l)" -eq 20 ] || fail "$data does not hold the 20 pictures"
[ "$(ls "$data"/*.wav | wc -l)" -eq 7 ] || fail "$data does not hold the 7 sounds"
[ -x "$programs/marobel" ] || fail "$programs holds no marobel program"
for size in 16 32 48 64 128 256; do
  [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/marobel.png" ] || fail "no ${size}px icon"
done
for page in marobel marobel-sim marobel-term; do
  man -w 6 "$page" >/dev/null 2>&1 || [ -f "/usr/share/man/man6/$page.6.gz" ] || fail "no manual page for $page"
done
bash "$root/scripts/ci/manual-page-check.sh" /usr/games/marobel /usr/share/man/man6/marobel.6.gz \
  "EXIT STATUS" ENVIRONMENT FILES EXAMPLES || fail "marobel(6) and marobel --help disagree"
bash "$root/scripts/ci/manual-page-check.sh" /usr/games/marobel-sim /usr/share/man/man6/marobel-sim.6.gz \
  "EXIT STATUS" EXAMPLES || fail "marobel-sim(6) and marobel-sim --help disagree"
bash "$root/scripts/ci/manual-page-check.sh" /usr/games/marobel-term /usr/share/man/man6/marobel-term.6.gz \
  "EXIT STATUS" EXAMPLES || fail "marobel-term(6) and marobel-term --help disagree"

[ "$(PATH=$player_path command -v marobel)" = /usr/games/marobel ] || fail "marobel is not on a player's PATH"
[ "$(PATH=$player_path command -v marobel-sim)" = /usr/games/marobel-sim ] || fail "marobel-sim is not on a player's PATH"
[ "$(PATH=$player_path command -v marobel-term)" = /usr/games/marobel-term ] || fail "marobel-term is not on a player's PATH"
version="$(cd "$work" && PATH=$player_path marobel-sim --version)" || fail "marobel-sim --version"
note "marobel-sim --version: $version"
(cd "$work" && PATH=$player_path marobel-sim --ticks 20 --assets "$data" --trace "$work/sim.trace") ||
  fail "marobel-sim does not run a short game"
[ "$(wc -l < "$work/sim.trace")" -eq 21 ] || fail "marobel-sim wrote $(wc -l < "$work/sim.trace") trace lines, not 21"
(cd "$work" && PATH=$player_path marobel-sim --ticks 25 --assets "$data" --trace /dev/null \
  --video "$work/game.webm" 2>"$work/video.log") || fail "marobel-sim --video: $(cat "$work/video.log")"
frames="$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 \
  "$work/game.webm")"
[ "$frames" = 25 ] || fail "the installed marobel-sim made a video of $frames frames, not 25"
note "marobel-sim --video from the package: $(tail -n1 "$work/video.log")"

# --- Play: the installed command from an unrelated folder ------------------
# shellcheck source=xvfb-lib.sh
. "$root/scripts/ci/xvfb-lib.sh"
start_xvfb 1024x768x24

mkdir "$work/elsewhere"
(cd "$work/elsewhere" && PATH=$player_path exec marobel) >"$work/game.log" 2>&1 &
game_pid=$!
window=""
for _ in $(seq 150); do
  for id in $(xdotool search --name "$title" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$title" ] && window=$id
  done
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start: $(cat "$work/game.log")"
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled '$title'"
note "window $window is titled '$title'"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 2
import -window "$window" "$work/window.png" || fail "no screenshot"
if ! "$check" "$work/window.png" "$data"; then
  cp "$work/window.png" "$root/build-deb/install-test-failed.png" 2>/dev/null || true
  fail "the window does not show the cabinet (screenshot: build-deb/install-test-failed.png)"
fi
note "the screenshot shows the cabinet"
# The desktop ties its entry to the window by the window's class.
window_class="$(xprop -id "$window" WM_CLASS)" || fail "no WM_CLASS on the window"
grep -qF "\"$wm_class\"" <<<"$window_class" || fail "the window's $window_class is not StartupWMClass=$wm_class"
note "the window's $window_class matches StartupWMClass"
"$close_request" "$window" || fail "could not send the close request"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the close request did not end the game"
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ ! -s "$work/game.log" ] || { note "the game said:"; cat "$work/game.log"; }
note "the close request ended the game with status 0"

# --- Remove -----------------------------------------------------------------
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq marobel marobel-video >/dev/null ||
  fail "apt-get remove --purge marobel marobel-video"
for package in marobel marobel-video; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'installed'; then fail "$package is still installed"; fi
done
left=0
while read -r file; do
  if [ -e "$file" ] || [ -L "$file" ]; then echo "left behind: $file"; left=1; fi
done < "$work/files"
for folder in "$data" "$programs" /usr/share/doc/marobel /usr/share/doc/marobel-video; do
  if [ -e "$folder" ]; then echo "left behind: $folder"; left=1; fi
done
[ "$left" -eq 0 ] || fail "files of the package remain after the purge"
note "purged: none of its $(wc -l < "$work/files") files remain"
note "all passed"
