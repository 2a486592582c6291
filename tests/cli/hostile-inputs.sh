#!/usr/bin/env bash
# Inputs that are no files to read (FIFOs, devices) or far too large, as every kind of input: each
# is refused at once with a message that names it, and the documented exit status. Every call runs
# under a timeout: a FIFO used to block the run forever, /dev/zero as a board grew to 3 GB.
# Usage: hostile-inputs.sh BINARY   (from the source folder)
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LUMORA_HOME=$work/home LC_ALL=C
mkdir "$LUMORA_HOME"
design=examples/designs/single-board.json
script=examples/scripts/smt-assembly.dfm
failures=0
checks=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# expect CODE LINE ARGS...: the run ends within a minute with CODE, and LINE is a line of stderr.
expect() {
  local code=$1 line=$2
  shift 2
  checks=$((checks + 1))
  timeout 60 "$cli" -q "$@" >"$work/out" 2>"$work/err"
  local got=$?
  if [ $got -eq 124 ]; then fail "$*: still running after a minute"; return; fi
  [ $got -eq "$code" ] || fail "$*: exit $got, expected $code"
  grep -qxF -- "$line" "$work/err" || fail "$*: stderr was: $(cat "$work/err")"
}

notRegular() { # PATH TYPE NOUN
  echo "$1: $2, not a regular file; a $3 must be a regular file"
}

mkfifo "$work/design.json" "$work/board.kicad_pcb" "$work/script.dfm" "$work/waivers.json"
expect 2 "Lumora Runner: $(notRegular "$work/design.json" "a FIFO" "design file")" --design "$work/design.json" "$script"
expect 2 "Lumora Runner: $(notRegular "$work/board.kicad_pcb" "a FIFO" "design file")" --design "$work/board.kicad_pcb" "$script"
expect 2 "Lumora Runner: $(notRegular /dev/zero "a character device" "design file")" --design /dev/zero "$script"
# A script that cannot be read is skipped with the loader's words; the others run.
expect 2 $'\tError = The file is a FIFO, not a regular file.\tLine = 0' --design "$design" "$work/script.dfm" "$script"
expect 2 "Lumora Runner: the waivers file \"$work/waivers.json\" cannot be read: a FIFO, not a regular file; a waivers file must be a regular file" \
  --design "$design" --waivers "$work/waivers.json" "$script"

# The roles file beside a KiCad board, and the settings file of the log folder.
cp tests/engine/kicad/mapping.kicad_pcb "$work/mapped.kicad_pcb"
mkfifo "$work/mapped.roles.json" "$LUMORA_HOME/rdbset.dat"
expect 2 "Lumora Runner: $(notRegular "$work/mapped.roles.json" "a FIFO" "roles file")" --design "$work/mapped.kicad_pcb" "$script"
expect 2 "Lumora Runner: loadDebugSettings {Path/File access error ($(notRegular "$LUMORA_HOME/rdbset.dat" "a FIFO" "settings file"))}" \
  --design "$design" "$script"
rm "$LUMORA_HOME/rdbset.dat"

# Past its bound a file is refused by its size, unread (sparse: it takes no room).
truncate -s 257M "$work/huge.json"
expect 2 "Lumora Runner: $work/huge.json: larger than 256 MiB, not a design file" --design "$work/huge.json" "$script"

echo "$((checks - failures)) of $checks passed"
[ "$failures" -eq 0 ]
