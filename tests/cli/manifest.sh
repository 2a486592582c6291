#!/usr/bin/env bash
# Many designs through lumora-cli: two slices of a manifest check every design once, a slice
# killed in the middle checks only what was missing when run again, a broken design is recorded
# and the slice goes on, the merged totals equal those of single-design runs, and the merged JUnit
# validates against junit.xsd. Usage: manifest.sh BINARY (from the source folder)
set -u
cli=$(realpath "$1")
work=$(mktemp -d)
slice_pid=
trap '[ -n "$slice_pid" ] && kill -9 -- "-$slice_pid" 2>/dev/null; rm -rf "$work"' EXIT
export LC_ALL=C
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
python=/usr/bin/python3
script=$PWD/examples/scripts/smt-assembly.dfm

# Two designs of one file name in different folders, a broken one, one with a script of its own.
mkdir -p "$work/a" "$work/b"
cp examples/designs/single-board.json "$work/a/board.json"
cp examples/designs/panel-two-up.json "$work/b/board.json"
printf '{"files": [' >"$work/broken.json"
cat >"$work/designs.txt" <<LIST
# relative paths start at this file's folder
a/board.json
broken.json
b/board.json
$PWD/examples/designs/panel-two-up.json	$PWD/examples/scripts/legacy-v1.dfm
LIST
out=$work/out

# Slice 1/2 (a/board.json, b/board.json) killed, process group and all, once its first design has
# its result; run again, it checks only what was missing.
setsid "$cli" --manifest "$work/designs.txt" --out "$out" --slice 1/2 "$script" >"$work/killed.txt" 2>&1 &
slice_pid=$!
for _ in $(seq 600); do [ -f "$out/board/result.json" ] && break; sleep 0.1; done
kill -9 -- "-$slice_pid" 2>/dev/null
wait "$slice_pid" 2>/dev/null
slice_pid=
[ -f "$out/board/result.json" ] || fail "the first design of slice 1 has no result before the kill"
"$cli" --manifest "$work/designs.txt" --out "$out" --slice 1/2 "$script" >"$work/slice1.txt" 2>&1
[ $? = 0 ] || fail "slice 1/2: exit $?, expected 0: $(cat "$work/slice1.txt")"
"$cli" --manifest "$work/designs.txt" --out "$out" --slice 2/2 --pages "$script" >"$work/slice2.txt" 2>&1
[ $? = 0 ] || fail "slice 2/2: exit $?"
grep -qx 'board: complete already' "$work/slice1.txt" || fail "the rerun checked the killed slice's finished design again: $(cat "$work/slice1.txt")"
grep -qx 'broken: broken (exit status 2) in .*' "$work/slice2.txt" || fail "broken design: $(cat "$work/slice2.txt")"
grep -qx 'Slice 1/2: 2 designs, 1 checked, 1 complete already' "$work/slice1.txt" || fail "slice 1 summary"
grep -qx 'Slice 2/2: 2 designs, 2 checked, 0 complete already' "$work/slice2.txt" || fail "slice 2 summary"
# Every design named once over both slices.
names=$(cat "$work/slice1.txt" "$work/slice2.txt" | grep -v '^Slice' | cut -d: -f1 | sort | tr '\n' ' ')
[ "$names" = "board board-2 broken panel-two-up " ] || fail "designs of the slices: $names"

"$cli" --merge "$out" >"$work/merge.txt" 2>&1
code=$?
# legacy-v1.dfm's tests fail on panel-two-up (exit status 3), which wins over the broken design's 2.
[ $code = 3 ] || fail "merge: exit $code, expected 3: $(cat "$work/merge.txt")"
grep -qx '4 of 4 designs have their results; outcome failed' "$work/merge.txt" || fail "merge: $(cat "$work/merge.txt")"
xmllint --noout --schema tests/cli/junit.xsd "$out/junit.xml" 2>/dev/null || fail "merged JUnit does not match junit.xsd"
# Slice 2 ran with --pages: the index links those designs' pages, the others' JSON reports.
[ -f "$out/panel-two-up/report.html" ] && [ ! -f "$out/board/report.html" ] || fail "--pages wrote pages of the wrong designs"
for link in 'href="board/report.json"' 'href="board-2/report.json"' 'href="panel-two-up/report.html"'; do
  grep -qF "$link" "$out/index.html" || fail "index.html lacks $link"
done

# The same designs one by one, as the command line runs one: the merge must agree.
run_single() { # design report [script]
  LUMORA_HOME=$work "$cli" -q --design "$1" --report "$2" "${3:-$script}" >/dev/null 2>&1
}
run_single "$work/a/board.json" "$work/single-a.json"
run_single "$work/b/board.json" "$work/single-b.json"
run_single examples/designs/panel-two-up.json "$work/single-p.json" examples/scripts/legacy-v1.dfm
$python - "$out" "$work" <<'PY' || fail "the merged summary does not agree with single-design runs"
import json, sys, xml.etree.ElementTree as ET
out, work = sys.argv[1:]
summary = json.load(open(f"{out}/summary.json"))
singles = {"board": "single-a", "board-2": "single-b", "panel-two-up": "single-p"}
total = {"marginal": 0, "critical": 0, "waived": 0}
for design in summary["designs"]:
    if design["name"] == "broken":
        assert design["outcome"] == "broken" and "totals" not in design, design
        continue
    single = json.load(open(f"{work}/{singles[design['name']]}.json"))["totals"]
    assert design["totals"] == single, (design["name"], design["totals"], single)
    for key in total:
        total[key] += single[key]
assert summary["totals"] == total, (summary["totals"], total)
assert total["critical"] > 0
suites = [s.get("name") for s in ET.parse(f"{out}/junit.xml").getroot().iter("testsuite")]
assert suites == ["board", "broken", "board-2", "panel-two-up"], suites
PY

[ "$failures" = 0 ] && echo "manifest: all checks passed"
[ "$failures" = 0 ]
