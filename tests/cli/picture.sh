#!/usr/bin/env bash
# lumora-cli --picture: a PNG and a well-formed SVG per board and panel file, drawn after the run;
# a folder that cannot be made is reported and fails the command.
# Usage: picture.sh BINARY   (run from the source folder)
set -u
binary=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
status=0
fail() { echo "$1"; status=1; }

LC_ALL=C LUMORA_HOME="$home" "$binary" -q --design examples/designs/panel-two-up.json \
  --picture "$home/pictures" examples/scripts/smt-assembly.dfm >/dev/null 2>"$home/err"
[ $? -eq 0 ] || fail "run failed: $(cat "$home/err")"
for file in panel_2up.cc ctrl_board.cc; do
  png="$home/pictures/$file.png"; svg="$home/pictures/$file.svg"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is no PNG"
  xmllint --noout "$svg" || fail "$svg is no well-formed XML"
  grep -q '<svg' "$svg" || fail "$svg holds no drawing"
done

touch "$home/occupied"
LC_ALL=C LUMORA_HOME="$home" "$binary" -q --design examples/designs/single-board.json \
  --picture "$home/occupied/pictures" examples/scripts/smt-assembly.dfm >/dev/null 2>"$home/err"
code=$?
[ $code -eq 6 ] || fail "exit code $code for an unwritable picture folder, expected 6"
grep -q '^Lumora Runner: cannot write ".*occupied/pictures/ctrl_board.cc.png"$' "$home/err" ||
  fail "unexpected message: $(cat "$home/err")"
exit $status
