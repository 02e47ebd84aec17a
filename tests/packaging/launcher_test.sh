#!/usr/bin/env bash
# The installed `marobel` command: it starts the game in the data folder
# beside it, passes the player's arguments and exit status through
# untouched but for relative file names, which it makes absolute, and on a
# broken install names the folder it expected and still starts the game. A
# stand-in program reports where it ran and with what.
#
#   launcher_test.sh CONFIGURED_LAUNCHER BIN_DIR DATA_DIR PROGRAM_DIR
# The folders are the install's, relative to its prefix.
set -uo pipefail

usage="usage: launcher_test.sh CONFIGURED_LAUNCHER BIN_DIR DATA_DIR PROGRAM_DIR"
launcher=${1:?$usage}
bin_dir=${2:?$usage}
data_dir=${3:?$usage}
program_dir=${4:?$usage}
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# An install tree under $1: the launcher, the stand-in program and, unless
# $2 says otherwise, the data folder.
make_tree() {
  local tree=$1 data=$2
  mkdir -p "$tree/$bin_dir" "$tree/$program_dir" "$(dirname "$tree/$data_dir")"
  cp "$launcher" "$tree/$bin_dir/marobel"
  cat > "$tree/$program_dir/marobel" <<'STANDIN'
#!/bin/sh
pwd
for a in "$@"; do printf '[%s]\n' "$a"; done
exit 7
STANDIN
  chmod +x "$tree/$bin_dir/marobel" "$tree/$program_dir/marobel"
  case $data in
    folder) mkdir "$tree/$data_dir" ;;
    missing) ;;
    file) echo "not a folder" > "$tree/$data_dir" ;;
    unreadable) mkdir "$tree/$data_dir" && chmod 000 "$tree/$data_dir" ;;
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
      *"$tree/$data_dir"*) ;;
      *) fail "$name: stderr does not name the expected folder $tree/$data_dir: '$err'" ;;
    esac
  else
    [ -z "$err" ] || fail "$name: unexpected stderr '$err'"
  fi
  echo "checked: $name"
}

make_tree "$work/good" folder
check installed "$work/good" "$work/good/$bin_dir/marobel" "$work/good/$data_dir" no

# A link on the PATH to the launcher still finds the tree the launcher is in.
mkdir -p "$work/path"
ln -s "$work/good/$bin_dir/marobel" "$work/path/marobel"
check linked "$work/good" "$work/path/marobel" "$work/good/$data_dir" no

# Relative file names, the game's and Qt's, are meant from where the player
# is; after "--" nothing is an option, so nothing is rewritten.
here="$work/elsewhere-files"
mkdir -p "$here"
out=$(cd "$here" && "$work/good/$bin_dir/marobel" --record r.keys --trace=t.jsonl --replay /abs.keys \
  -stylesheet s.qss -platform offscreen -- --record x 2>&1)
expected=$(printf '%s\n' "$work/good/$data_dir" "[--record]" "[$here/r.keys]" "[--trace=$here/t.jsonl]" \
  "[--replay]" "[/abs.keys]" "[-stylesheet]" "[$here/s.qss]" "[-platform]" "[offscreen]" "[--]" "[--record]" "[x]")
[ "$out" = "$expected" ] || fail "file names: the program saw
$out
instead of
$expected"
echo "checked: file names"

make_tree "$work/nodata" missing
check missing-data "$work/nodata" "$work/nodata/$bin_dir/marobel" "$work/elsewhere-missing-data" yes

make_tree "$work/filedata" file
check data-is-a-file "$work/filedata" "$work/filedata/$bin_dir/marobel" "$work/elsewhere-data-is-a-file" yes

# Root reads every folder, so an unreadable one can only be tried by others.
if [ "$(id -u)" -ne 0 ]; then
  make_tree "$work/locked" unreadable
  check unreadable-data "$work/locked" "$work/locked/$bin_dir/marobel" "$work/elsewhere-unreadable-data" yes
fi

[ "$failures" -eq 0 ] && echo PASS
exit $((failures > 0))
