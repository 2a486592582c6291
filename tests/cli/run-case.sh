#!/usr/bin/env bash
# Runs lumora-cli and compares its exit code, standard output and standard error with a case's
# expected files; with an expected runner.log, also the run log below its banner lines, and with an
# expected markers.json the markers written to @HOME@/markers.json. A case's setup.sh is sourced just
# before the binary starts (in its own shell: limits stay there; $home is the program folder), its
# check.sh after the comparisons (it sets status=1 on a fault).
# Usage: run-case.sh BINARY CASE_DIR -- ARGS...   (@HOME@ in ARGS names a fresh program folder, @EMPTY@ is an empty argument)
set -u
binary=$1; case_dir=$2; shift 3
home=$(mktemp -d); out=$(mktemp); err=$(mktemp)
trap 'rm -rf "$home" "$out" "$err"' EXIT
args=()
for arg in "$@"; do arg=${arg//@HOME@/$home}; args+=("${arg//@EMPTY@/}"); done
(
  if [ -f "$case_dir/setup.sh" ]; then . "$case_dir/setup.sh"; fi
  LC_ALL=C LUMORA_HOME="$home" exec "$binary" "${args[@]}"
) >"$out" 2>"$err"
code=$?
status=0
expected_code=$(cat "$case_dir/exit-code")
if [ "$code" != "$expected_code" ]; then
  echo "exit code $code, expected $expected_code"; status=1
fi
compare() { # expected actual what
  if ! diff -u "$1" "$2"; then echo "$3 differs"; status=1; fi
}
compare "$case_dir/stdout" "$out" stdout
compare "$case_dir/stderr" <(sed "s|$home|@HOME@|g" "$err") stderr
if [ -f "$case_dir/runner.log" ]; then
  compare "$case_dir/runner.log" <(grep -v '^Lumora Runner v\.' "$home/runner.log" | tr -d '\r') runner.log
fi
if [ -f "$case_dir/markers.json" ]; then
  compare "$case_dir/markers.json" "$home/markers.json" markers.json
fi
if [ -f "$case_dir/check.sh" ]; then . "$case_dir/check.sh"; fi
exit $status
