#!/usr/bin/env bash
# scripts/check-layers on a small tree with the real docs/ARCHITECTURE.md: silent on a tree that
# keeps the tables, and each kind of breach named exactly. Usage: check-layers.sh SOURCE_ROOT
set -u
source=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0
cases=0

# A tree with every folder of the engine's order and the layers the cases touch, nothing in them.
fresh_tree() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree/docs" "$work/tree/korvenapi"
  cp "$source/docs/ARCHITECTURE.md" "$work/tree/docs/"
  for folder in $(grep -oE '^\| `engine/[a-z]+/`' "$source/docs/ARCHITECTURE.md" | sed -E 's/.*`engine\/([a-z]+)\/`/\1/'); do
    mkdir -p "$work/tree/engine/$folder"
  done
  echo 'add_library(lumora_engine STATIC)' >"$work/tree/engine/CMakeLists.txt"
}

# expect WHAT EXPECTED-OUTPUT: runs the script on the tree; the output must be exactly the one given,
# and the exit status 0 when it is empty, else 1.
expect() {
  cases=$((cases + 1))
  local actual status expected_status=1
  actual=$("$source/scripts/check-layers" "$work/tree" 2>&1)
  status=$?
  [ -n "$2" ] || expected_status=0
  if [ "$actual" != "$2" ] || [ "$status" != "$expected_status" ]; then
    echo "FAILED: $1: exit $status (expected $expected_status), output:"
    echo "$actual"
    echo "expected:"
    echo "$2"
    failures=$((failures + 1))
  fi
}

# Catches a table the script misreads into a breach (or a root file it takes for one).
fresh_tree
echo '#include "engine/model/Design.h"' >"$work/tree/engine/ops/Flatten.h"
expect "a tree that keeps the order" ""

# Catches an engine folder including one that comes after it.
fresh_tree
echo '#include "engine/ops/Flatten.h"' >"$work/tree/engine/model/Design.h"
expect "model/ including ops/" \
  'engine/model/Design.h:1: engine/model/ may not include "engine/ops/Flatten.h" (the engine'"'"'s order, docs/ARCHITECTURE.md)'

# Catches a row that lets a folder use one below it in the table, which would allow a circle.
fresh_tree
sed -i -E 's/^(\| `engine\/geom\/` \|.*\| )`model` \|$/\1`model`, `checks` |/' "$work/tree/docs/ARCHITECTURE.md"
expect "geom/'s row naming checks/" \
  "docs/ARCHITECTURE.md: engine/geom/ may use engine/checks/, which does not come before it"

# Catches a file left at engine/'s root and a folder the order does not name.
fresh_tree
touch "$work/tree/engine/Loose.h"
mkdir "$work/tree/engine/extra"
expect "a root file and a folder without a row" \
  "engine/Loose.h: only CMakeLists.txt lies at engine/'s root; the file belongs in a folder of the engine's order
engine/extra/ has no row in the engine's order (docs/ARCHITECTURE.md)"

# Catches a layer including, or linking, one it may not use.
fresh_tree
echo '#include "engine/model/Design.h"' >"$work/tree/korvenapi/KorvenAutomation.h"
echo 'target_link_libraries(lumora_korvenapi PUBLIC lumora_engine)' >"$work/tree/korvenapi/CMakeLists.txt"
expect "korvenapi/ using the engine" \
  'korvenapi/KorvenAutomation.h:1: korvenapi/ may not include "engine/model/Design.h" (docs/ARCHITECTURE.md)
korvenapi/CMakeLists.txt: korvenapi/ may not link lumora_engine of engine/ (docs/ARCHITECTURE.md)'

echo "$((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
