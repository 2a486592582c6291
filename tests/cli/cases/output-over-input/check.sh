if ! cmp -s examples/designs/single-board.json "$home/design.json"; then echo "design.json was replaced"; status=1; fi
if ! cmp -s examples/scripts/smt-assembly.dfm "$home/script.dfm"; then echo "script.dfm was replaced"; status=1; fi
if [ -e "$home/runner.log" ]; then echo "the run started"; status=1; fi
