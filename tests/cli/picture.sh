#!/usr/bin/env bash
# lumora-cli --picture: a PNG and a well-formed SVG per board and panel file, drawn after the run;
# a folder that cannot be made is reported and fails the command; a full disk leaves no cut picture
# (one used to stay, an SVG even with exit 0); names from the design never leave the folder.
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
grep -q '^Lumora Runner: cannot write ".*occupied/pictures/ctrl_board.cc.png" (Not a directory)$' "$home/err" ||
  fail "unexpected message: $(cat "$home/err")"

# A disk with room for 4 KiB per file: the PNG does not fit.
(
  trap '' XFSZ
  ulimit -f 4
  LC_ALL=C LUMORA_HOME="$home" exec "$binary" -q --design examples/designs/single-board.json \
    --picture "$home/full" examples/scripts/smt-assembly.dfm >/dev/null 2>"$home/err"
)
code=$?
[ $code -eq 6 ] || fail "exit code $code on a full disk, expected 6"
grep -qx 'Lumora Runner: cannot write ".*/full/ctrl_board.cc.png" (File too large)' "$home/err" ||
  fail "unexpected message on a full disk: $(cat "$home/err")"
[ -z "$(ls -A "$home/full")" ] || fail "a cut picture or a temporary file was left: $(ls -A "$home/full")"

# File names that climb out of the folder, start anew, or hold what XML cannot.
/usr/bin/python3 - examples/designs/single-board.json "$home/names.json" <<'PY'
import json, sys
design = json.load(open(sys.argv[1]))
board = design["files"][0]
design["files"] = [dict(board, number=1, name="../../escaped"), dict(board, number=2, name="/tmp/absolute\u0001<x>"),
                   dict(board, number=3, name="a/b"), dict(board, number=4, name="a_b")]
json.dump(design, open(sys.argv[2], "w"))
PY
mkdir -p "$home/deep/er"
LC_ALL=C LUMORA_HOME="$home" "$binary" -q --design "$home/names.json" --picture "$home/deep/er/pictures" \
  examples/scripts/smt-assembly.dfm >/dev/null 2>"$home/err"
[ $? -eq 0 ] || fail "hostile names: $(cat "$home/err")"
expected=$(printf '%s\n' '.._.._escaped.png' '.._.._escaped.svg' 'a_b #2.png' 'a_b #2.svg' 'a_b.png' 'a_b.svg' \
  $'_tmp_absolute\x01<x>.png' $'_tmp_absolute\x01<x>.svg')
[ "$(ls -A "$home/deep/er/pictures" | LC_ALL=C sort)" = "$(LC_ALL=C sort <<<"$expected")" ] ||
  fail "pictures named $(ls -A "$home/deep/er/pictures")"
[ ! -e "$home/deep/escaped.png" ] && [ ! -e /tmp/absolute$'\x01'"<x>.png" ] || fail "a picture left its folder"
xmllint --noout "$home/deep/er/pictures/_tmp_absolute"$'\x01'"<x>.svg" || fail "an SVG of a hostile name is no XML"
exit $status
