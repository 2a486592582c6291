# Every marker has a key of its own: before, the board's pads of one number (P1's two pads "1")
# shared keys told apart by counters in placement order.
if ! /usr/bin/python3 -c 'import json,sys
keys=[m["key"] for s in json.load(open(sys.argv[1]))["scripts"] for t in s["tests"] for m in t.get("markers", [])]
sys.exit(len(keys) != len(set(keys)) or any(" #" in k for k in keys) or not keys)' "$home/report.json"; then
  echo "keys repeat"; status=1
fi
