#!/usr/bin/env bash
# What a CI job gets from lumora-cli: the JSON report valid against its schema, JUnit XML valid
# against the JUnit schema, and waivers that baseline a board, survive an unrelated edit and report
# the ones that match nothing. Usage: ci-outputs.sh BINARY (from the source folder)
set -u
cli=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
export LUMORA_HOME=$work LC_ALL=C
design=examples/designs/single-board.json
script=examples/scripts/smt-assembly.dfm
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_exit() { # expected actual what
  [ "$1" = "$2" ] || fail "$3: exit $2, expected $1"
}
python=/usr/bin/python3

"$cli" -q --design "$design" --report "$work/report.json" --junit "$work/junit.xml" \
  --write-waivers "$work/waivers.json" --fail-on critical "$script" >/dev/null
expect_exit 1 $? "first run"
$python -c 'import json,sys,jsonschema
jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' \
  "$work/report.json" docs/report.schema.json || fail "report does not match docs/report.schema.json"
xmllint --noout --schema tests/cli/junit.xsd "$work/junit.xml" 2>/dev/null || fail "JUnit XML does not match junit.xsd"

# The seeded markers of the script, by key, with their counts in both reports.
$python - "$work" <<'PY' || fail "report or JUnit content"
import json, sys, xml.etree.ElementTree as ET
work = sys.argv[1]
report = json.load(open(f"{work}/report.json"))
assert report["totals"] == {"marginal": 1, "critical": 15, "waived": 0}, report["totals"]
tests = report["scripts"][0]["tests"]
tp = next(t for t in tests if t["name"] == "Testpoint Center To Testpoint Center")
keys = sorted(m["key"] for m in tp["markers"])
assert keys == [
    "Testpoint Center To Testpoint Center / ctrl_board.cc / Testpoint Center To Testpoint Center - Bottom / distance / TP3 SDA, TP4 SCL",
    "Testpoint Center To Testpoint Center / ctrl_board.cc / Testpoint Center To Testpoint Center - Top / distance / TP6 SDA, TP7 SCL",
], keys
assert [(f["name"], f["marginal"], f["critical"]) for f in tp["files"]] == [("ctrl_board.cc", 1, 1)], tp["files"]
suite = ET.parse(f"{work}/junit.xml").getroot().find("testsuite")
failed = sorted(c.get("name") for c in suite.iter("testcase") if c.find("failure") is not None)
assert len(failed) == 7 and "Testpoint Center To Testpoint Center [ctrl_board.cc]" in failed, failed
assert "Component Package To Component Package [ctrl_board.cc]" not in failed, failed
PY

# Baseline: with every violation waived the run passes --fail-on any.
out=$("$cli" -q --design "$design" --waivers "$work/waivers.json" --fail-on any "$script")
expect_exit 0 $? "baseline run"
grep -qx 'Waivers from .*: 16 violations waived, 0 stale' <<<"$out" || fail "baseline summary: $out"

# Keys hold no coordinates: moving an unrelated part, and moving a violating pair together, keeps
# every waiver matching.
$python - "$design" "$work/moved.json" <<'PY'
import json, sys
design = json.load(open(sys.argv[1]))
for geometry in design["geometries"]:
    for item in geometry.get("data", []):
        if item.get("ref") == "LOGO1":
            item["at"][0] -= 40
        if item.get("ref") in ("TP3", "TP4"):
            item["at"][1] += 5
json.dump(design, open(sys.argv[2], "w"))
PY
out=$("$cli" -q --design "$work/moved.json" --waivers "$work/waivers.json" --fail-on any "$script")
expect_exit 0 $? "run after an unrelated move"
grep -qx 'Waivers from .*: 16 violations waived, 0 stale' <<<"$out" || fail "after the move: $out"

# A waiver written before keys named the measure still matches its marker, which is the only one
# with that former key, and --write-waivers gives it the key of today.
former="Testpoint Center To Testpoint Center / ctrl_board.cc / Testpoint Center To Testpoint Center - Top / TP6 SDA, TP7 SCL"
printf '{"waivers": [{"key": "%s", "reason": "45 mil probes", "author": "a", "date": "2026-01-01"}]}' "$former" >"$work/former.json"
out=$("$cli" -q --design "$design" --waivers "$work/former.json" --write-waivers "$work/migrated.json" "$script")
grep -qx 'Waivers from .*: 1 violations waived, 0 stale' <<<"$out" || fail "former key: $out"
$python -c 'import json,sys; w=json.load(open(sys.argv[1]))["waivers"]; assert [x["reason"] for x in w if x["key"].endswith(" - Top / distance / TP6 SDA, TP7 SCL")] == ["45 mil probes"], w' \
  "$work/migrated.json" || fail "the former key is not written as today's"

# A waiver that matched nothing is stale: named on stderr and in the report.
$python - "$work/waivers.json" <<'PY'
import json, sys
waivers = json.load(open(sys.argv[1]))
waivers["waivers"].append({"key": "No Such Test / board / check / X1", "reason": "gone", "author": "a", "date": "2026-01-01"})
json.dump(waivers, open(sys.argv[1], "w"))
PY
err=$("$cli" -q --design "$design" --waivers "$work/waivers.json" --report "$work/stale.json" "$script" 2>&1 >/dev/null)
grep -qx 'stale waiver (matched nothing): No Such Test / board / check / X1' <<<"$err" || fail "stale waiver message: $err"
$python -c 'import json,sys; r=json.load(open(sys.argv[1])); assert [w["key"] for w in r["waivers"]["stale"]] == ["No Such Test / board / check / X1"] and r["totals"]["waived"] == 16, r["waivers"]' \
  "$work/stale.json" || fail "stale waiver in the report"

# A broken waivers file is bad input, named in the message.
echo '{"waivers": [{"reason": "no key"}]}' >"$work/broken.json"
err=$("$cli" -q --design "$design" --waivers "$work/broken.json" "$script" 2>&1 >/dev/null)
expect_exit 2 $? "broken waivers file"
grep -q 'broken.json" cannot be read: waiver 1 has no "key" text' <<<"$err" || fail "broken waivers message: $err"

# "-" writes one output to standard output, which then holds it alone: the tables go to stderr.
"$cli" -q --design "$design" --junit - "$script" >"$work/stdout.xml" 2>"$work/stderr"
expect_exit 0 $? "JUnit on standard output"
xmllint --noout --schema tests/cli/junit.xsd "$work/stdout.xml" 2>/dev/null || fail "JUnit on standard output: $(head -3 "$work/stdout.xml")"
grep -q '^      Total  *1  *15$' "$work/stderr" || fail "the table on stderr: $(cat "$work/stderr")"

echo "$((8 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
