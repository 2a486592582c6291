# An earlier saved design is saved over on a disk with room for 16 KiB per file.
cp examples/designs/single-board.json "$home/saved.json"
trap '' XFSZ
ulimit -f 16
