#!/usr/bin/env bash
# Names no writer expects: a board and a script whose file names are not UTF-8 and hold control
# characters, and a design whose file and part names hold control characters and markup. Every
# output is written whole and readable: the JSON files by a strict UTF-8 reader, the JUnit XML valid
# against its schema (xmllint), and the waivers written from such names waive the same violations
# on the next run. (A file name that was not UTF-8 ended the run with exit 134 after the tests and
# lost every output; a control character made the JUnit XML unreadable, with exit 0.)
# Usage: hostile-names.sh BINARY   (from the source folder)
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LUMORA_HOME=$work LC_ALL=C
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
python=/usr/bin/python3

board=$work/$'b\xffoard\x01.kicad_pcb'
script=$work/$'s\xfe\x02<cript>.dfm'
cp tests/engine/kicad/mapping.kicad_pcb "$board"
cp examples/scripts/all-tests.dfm "$script"
# outputs NAME ARGS...: one run writing every output into $work/NAME.*
outputs() {
  local name=$1
  shift
  "$cli" -q "$@" --report "$work/$name.report.json" --markers "$work/$name.markers.json" \
    --junit "$work/$name.junit.xml" --write-waivers "$work/$name.waivers.json" "$script" >"$work/$name.out" 2>"$work/$name.err"
  local code=$?
  [ $code -le 3 ] || fail "$name: exit $code: $(tail -3 "$work/$name.err")"
  for file in report markers waivers; do
    $python -c 'import json,sys; json.loads(open(sys.argv[1], encoding="utf-8", errors="strict").read())' \
      "$work/$name.$file.json" || fail "$name: $file is not UTF-8 JSON"
  done
  xmllint --noout --schema tests/cli/junit.xsd "$work/$name.junit.xml" 2>"$work/$name.xmllint" ||
    fail "$name: JUnit XML: $(head -3 "$work/$name.xmllint")"
}

outputs board --design "$board"
$python - "$work/board.markers.json" <<'PY' || fail "the board's name in the markers"
import json, sys
markers = [m for m in json.load(open(sys.argv[1], encoding="utf-8")) if "fileName" in m]
assert markers and all(m["fileName"] == "b\ufffdoard\u0001.kicad_pcb" for m in markers), markers[:1]
PY
out=$("$cli" -q --design "$board" --waivers "$work/board.waivers.json" "$script" 2>&1)
grep -q '^Waivers from .*: [1-9][0-9]* violations waived, 0 stale$' <<<"$out" || fail "waivers of the hostile names: $out"

$python - examples/designs/single-board.json "$work/named.json" <<'PY'
import json, sys
design = json.load(open(sys.argv[1]))
design["files"][0]["name"] = "ctrl\u0001board\u001b[0m <&\"'>.cc"
for geometry in design["geometries"]:
    for item in geometry.get("data", []):
        if item.get("ref") == "TP3":
            item["ref"] = "TP\u00023 ]]> <x/>"
json.dump(design, open(sys.argv[2], "w"))
PY
outputs named --design "$work/named.json" --fail-on any
grep -qF $'TP\xef\xbf\xbd3 ]]&gt; &lt;x/&gt;' "$work/named.junit.xml" || fail "the part's name in the JUnit XML"

echo "$failures faults"
[ "$failures" -eq 0 ]
