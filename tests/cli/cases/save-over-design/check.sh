if ! cmp -s examples/designs/single-board.json "$home/design.json"; then echo "design.json was damaged"; status=1; fi
if ls -A "$home" | grep -q '^\.design'; then echo "a temporary file was left"; status=1; fi
