#!/usr/bin/env bash
# Runs lumora-cli and compares its exit code, standard output and standard error with a case's
# expected files. Usage: run-case.sh BINARY CASE_DIR -- ARGS...
set -u
binary=$1; case_dir=$2; shift 3
out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
LC_ALL=C "$binary" "$@" >"$out" 2>"$err"
code=$?
status=0
expected_code=$(cat "$case_dir/exit-code")
if [ "$code" != "$expected_code" ]; then
  echo "exit code $code, expected $expected_code"; status=1
fi
for stream in stdout stderr; do
  actual=$out; [ "$stream" = stderr ] && actual=$err
  if ! diff -u "$case_dir/$stream" "$actual"; then
    echo "$stream differs"; status=1
  fi
done
exit $status
