if ! cmp -s examples/designs/single-board.json "$home/saved.json"; then echo "saved.json was damaged"; status=1; fi
if ls -A "$home" | grep -q '^\.saved'; then echo "a temporary file was left"; status=1; fi
