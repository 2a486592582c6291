# The run's own design and script, in the program folder, named as its outputs.
cp examples/designs/single-board.json "$home/design.json"
cp examples/scripts/smt-assembly.dfm "$home/script.dfm"
