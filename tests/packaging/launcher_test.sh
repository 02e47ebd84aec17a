#!/usr/bin/env bash
# The installed `marobel` command: it starts the game in the data folder
# beside it, passes the player's arguments and exit status through
# untouched, and on a broken install names the folder it expected and still
# starts the game. A stand-in program reports where it ran and with what.
#
#   launcher_test.sh CONFIGURED_LAUNCHER
set -uo pipefail

launcher=${1:?usage: launcher_test.sh CONFIGURED_LAUNCHER}
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# An install tree under $1: bin/marobel, libexec/marobel/marobel (the
# stand-in) and, unless $2 says otherwise, share/marobel.
make_tree() {
  local tree=$1 data=$2
  mkdir -p "$tree/bin" "$tree/libexec/marobel" "$tree/share"
  cp "$launcher" "$tree/bin/marobel"
  cat > "$tree/libexec/marobel/marobel" <<'STANDIN'
#!/bin/sh
pwd
for a in "$@"; do printf '[%s]\n' "$a"; done
exit 7
STANDIN
  chmod +x "$tree/bin/marobel" "$tree/libexec/marobel/marobel"
  case $data in
    folder) mkdir "$tree/share/marobel" ;;
    missing) ;;
    file) echo "not a folder" > "$tree/share/marobel" ;;
    unreadable) mkdir "$tree/share/marobel" && chmod 000 "$tree/share/marobel" ;;
  esac
}

# Runs the command $2 of tree $1 from an unrelated folder with arguments
# that a shell could mangle; checks where the program ran, what it got,
# the exit status and what was said on stderr.
check() {
  local name=$1 tree=$2 command=$3 expect_dir=$4 expect_warning=$5
  local elsewhere="$work/elsewhere-$name"
  mkdir -p "$elsewhere"
  local out err status
  out=$(cd "$elsewhere" && "$command" "two words" "" '--glob=*' 2>"$work/$name.err")
  status=$?
  err=$(cat "$work/$name.err")
  local expected
  expected=$(printf '%s\n[two words]\n[]\n[--glob=*]' "$expect_dir")
  [ "$out" = "$expected" ] || fail "$name: the program saw
$out
instead of
$expected"
  [ "$status" -eq 7 ] || fail "$name: exit status $status, not the program's 7"
  if [ "$expect_warning" = yes ]; then
    case $err in
      *"$tree/share/marobel"*) ;;
      *) fail "$name: stderr does not name the expected folder $tree/share/marobel: '$err'" ;;
    esac
  else
    [ -z "$err" ] || fail "$name: unexpected stderr '$err'"
  fi
  echo "checked: $name"
}

make_tree "$work/good" folder
check installed "$work/good" "$work/good/bin/marobel" "$work/good/share/marobel" no

# A link on the PATH to the launcher still finds the tree the launcher is in.
mkdir -p "$work/path"
ln -s "$work/good/bin/marobel" "$work/path/marobel"
check linked "$work/good" "$work/path/marobel" "$work/good/share/marobel" no

make_tree "$work/nodata" missing
check missing-data "$work/nodata" "$work/nodata/bin/marobel" "$work/elsewhere-missing-data" yes

make_tree "$work/filedata" file
check data-is-a-file "$work/filedata" "$work/filedata/bin/marobel" "$work/elsewhere-data-is-a-file" yes

# Root reads every folder, so an unreadable one can only be tried by others.
if [ "$(id -u)" -ne 0 ]; then
  make_tree "$work/locked" unreadable
  check unreadable-data "$work/locked" "$work/locked/bin/marobel" "$work/elsewhere-unreadable-data" yes
fi

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
