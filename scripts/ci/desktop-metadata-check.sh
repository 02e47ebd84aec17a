#!/usr/bin/env bash
# The desktop entry and the AppStream metadata as a software centre and a
# desktop read them: desktop-file-validate passes; the entry has Name[ja]
# and a StartupWMClass that is its own name (the window's class and
# Wayland's app id are the entry's name); appstreamcli --pedantic says no
# more than infos; the metadata has its content rating, licence, developer,
# screenshot and release; it launches this entry; and every screenshot it
# fetches from the repository's main branch is a file of the repository.
#
#   scripts/ci/desktop-metadata-check.sh DESKTOP_FILE METAINFO_FILE
set -euo pipefail

usage="usage: desktop-metadata-check.sh DESKTOP_FILE METAINFO_FILE"
desktop=${1:?$usage}
metainfo=${2:?$usage}
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
fail() { echo "desktop-metadata-check: FAIL: $*" >&2; exit 1; }

desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
# The entry's own keys, not its actions'.
main_group=$(awk '/^\[/ { on = ($0 == "[Desktop Entry]") } on' "$desktop")
grep -q '^Name\[ja\]=' <<<"$main_group" || fail "the desktop entry has no Name[ja]"
entry=$(basename "$desktop" .desktop)
wm_class=$(sed -n 's/^StartupWMClass=//p' <<<"$main_group")
[ "$wm_class" = "$entry" ] || fail "StartupWMClass is '$wm_class', not the entry's name '$entry'"

# Pedantic, and not even a warning: an info (a tag newer than this
# validator, an unknown top-level domain) is all it may say.
status=0
appstream=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1) || status=$?
echo "$appstream"
if [ "$status" -ne 0 ] || grep -qE '^ *[EWP]: ' <<<"$appstream"; then
  fail "appstreamcli --pedantic found problems in $(basename "$metainfo")"
fi
for wanted in '<content_attribute id="money-gambling">' '<project_license>LicenseRef-proprietary<' \
  '<developer id=' '<screenshot type="default">' '<release version=' \
  "<launchable type=\"desktop-id\">$entry.desktop<"; do
  grep -qF "$wanted" "$metainfo" || fail "the AppStream file lacks $wanted"
done
! grep -qF '<developer_name' "$metainfo" || fail "the AppStream file has the deprecated <developer_name>"
grep -qE '^ *<name>[^<]+</name>' <(sed -n '/<developer /,/<\/developer>/p' "$metainfo") ||
  fail "the developer has no name"
mapfile -t images < <(sed -n -E 's|.*<image>([^<]*)</image>.*|\1|p' "$metainfo")
[ "${#images[@]}" -gt 0 ] || fail "no screenshot image"
for image in "${images[@]}"; do
  path=${image#*/raw/main/}
  [ "$path" != "$image" ] || fail "screenshot $image is not in the repository's main branch"
  [[ $path == docs/* ]] || fail "screenshot $image is not in the repository's docs"
  [ -f "$root/$path" ] || fail "screenshot $image: the repository has no $path"
done
echo "desktop-metadata-check: $entry.desktop (StartupWMClass=$wm_class) and $(basename "$metainfo") pass"
