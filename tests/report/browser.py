#!/usr/bin/env python3
"""The page in a real browser (Debian's chromium, headless, no network).

The example run's page (the panel design), opened with the hook #test=interactions, tries itself:
its script clicks a row, a marker and the tests, sets each filter, chooses each file, switches a
layer off and on, zooms and pans with keys, wheel and mouse, and writes what it saw into
<pre id="test-result">, which chromium's --dump-dom hands back. A screenshot of the page must not be blank. A page of 50,000
markers (write_big_page) must open with only the rows in sight, show the last one after a scroll,
and says how long its first frame took.

Usage: browser.py LUMORA_CLI WRITE_BIG_PAGE   (run from the source folder)
Exits 77 (skipped) where chromium is not installed.
"""
import html
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

DESIGN = "examples/designs/panel-two-up.json"
SCRIPT = "examples/scripts/smt-assembly.dfm"
REASON = "<script>alert(1)</script>"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def chromium():
    for name in ("chromium", "chromium-browser"):
        found = shutil.which(name)
        if found:
            return found
    return None


def browse(browser, work, *arguments):
    """Runs headless chromium with a fresh profile and no network; returns the finished process."""
    profile = tempfile.mkdtemp(dir=work)
    # /dev/shm is tiny in containers, where CI runs: chromium keeps its shared memory in /tmp.
    flags = ["--headless", "--disable-gpu", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
             "--user-data-dir=" + profile, "--virtual-time-budget=20000"]
    if os.geteuid() == 0:
        flags.append("--no-sandbox")
    return subprocess.run([browser, *flags, *arguments], capture_output=True, text=True, timeout=300)


def hooked(browser, work, page, hook):
    """What the page's script saw when opened with #test=HOOK: (its result or None, the document)."""
    done = browse(browser, work, "--window-size=1280,1000", "--dump-dom", "file://" + os.path.abspath(page) + hook)
    seen = test_result(done.stdout)
    check(seen is not None, "the page's script wrote no test result for %s (chromium exit %d): %s"
          % (hook, done.returncode, done.stderr[-2000:]))
    if seen is not None and "error" in seen:
        check(False, "the page's script failed for %s: %s" % (hook, seen["error"]))
        return None, done.stdout
    return seen, done.stdout


def test_result(dom):
    start = dom.rfind('<pre id="test-result">')
    if start < 0:
        return None
    start += len('<pre id="test-result">')
    return json.loads(html.unescape(dom[start:dom.index("</pre>", start)]))


def png_pixels(path):
    """(width, height, rows of RGB(A) bytes) of an 8-bit PNG, decoded with the standard library."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    at, chunks = 8, {}
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks.setdefault(kind, []).append(data[at + 8:at + 8 + length])
        at += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][0][:10])
    assert depth == 8 and colour in (2, 6), "unexpected PNG kind"
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, step, rows


def run_example(cli, work):
    """The example run with one violation waived (its reason a script tag); returns report, page."""
    env = dict(os.environ, LUMORA_HOME=work, LC_ALL="C")
    baseline = os.path.join(work, "all.waivers.json")
    subprocess.run([cli, "-q", "--design", DESIGN, "--write-waivers", baseline, SCRIPT], env=env,
                   capture_output=True)
    waivers = json.load(open(baseline))
    waivers["waivers"] = waivers["waivers"][:1]
    waivers["waivers"][0]["reason"] = REASON
    one = os.path.join(work, "one.waivers.json")
    json.dump(waivers, open(one, "w"))
    report, page = os.path.join(work, "report.json"), os.path.join(work, "report.html")
    subprocess.run([cli, "-q", "--design", DESIGN, "--waivers", one, "--report", report, "--html", page, SCRIPT],
                   env=env, capture_output=True)
    return json.load(open(report)), page, waivers["waivers"][0]["key"]


def check_interactions(browser, work, report, page, waived_key):
    markers = [dict(m, test=t["name"]) for s in report["scripts"] for t in s["tests"] for m in t.get("markers", [])]
    seen, dom = hooked(browser, work, page, "#test=interactions&text=TP6")
    if seen is None:
        return
    check(seen["rows"] == len(markers) == seen["markers"], "marker rows %s, report markers %d" % (seen["rows"], len(markers)))
    row = seen.get("clickedRow", {})
    check(row and row.get("selectedKey") == row.get("key") and row.get("rowSelected") and row.get("centred"),
          "a click on a row selects, marks and centres its marker: %s" % row)
    marker = seen.get("clickedMarker", {})
    check(marker and marker.get("selectedKey") == marker.get("key") == marker.get("selectedRowKey"),
          "a click on a marker selects its row: %s" % marker)
    critical = [m for m in markers if m["severity"] == "Critical"]
    check(seen["critical"] == ["Critical"] * len(critical), "severity filter: %s" % seen["critical"])
    check(seen["waived"] == [waived_key], "waived filter: %s" % seen["waived"])
    check(seen["notWaived"] == len(markers) - 1, "not-waived filter: %s" % seen["notWaived"])
    tp6 = [m for m in markers if any(i.get("component") == "TP6" for i in m["items"])]
    check(len(seen["text"]) == len(tp6) > 0 and all("TP6" in t for t in seen["text"]), "text filter: %s" % seen["text"])
    first = [m for m in markers if m["test"] == seen.get("testName")]
    check(seen.get("testRows") == [seen.get("testName")] * len(first) and first,
          "a click on a test narrows the rows to its markers: %s" % seen.get("testRows"))
    check(seen.get("quietTestRows") == 0, "a click on a test without markers shows none: %s rows" % seen.get("quietTestRows"))
    check(seen["rowsAfter"] == len(markers), "filters cleared: %s rows" % seen["rowsAfter"])
    check(seen["files"] == list(range(len(json.load(open(DESIGN))["files"]))),
          "the file chooser shows each file's drawing: %s" % seen["files"])
    layer = seen["layer"] or {}
    check(layer.get("groups", 0) > 0 and layer.get("before") == layer.get("on") == layer["groups"] and layer.get("off") == 0,
          "a layer's switch hides and shows its drawing: %s" % layer)
    check_moves(seen["moves"])
    check("<td>" + html.escape(REASON, quote=False) + "</td>" in dom, "the waiver's reason shown as text")
    print("example page: %d rows; %s" % (seen["rows"], first_frame(seen)))


def check_moves(moves):
    """Keys, wheel and drag move the view the way their hint says."""
    fit, plus, right, minus = moves["fit"], moves["plus"], moves["right"], moves["minus"]
    near = lambda a, b: abs(a - b) <= 1e-9 * max(abs(a), abs(b), 1)
    check(near(plus["scale"], 1.25 * fit["scale"]) and near(minus["scale"], 0.8 * plus["scale"]),
          "+ and - zoom by a quarter: %s" % moves)
    check(right["x"] > plus["x"] and near(right["y"], plus["y"]), "the right arrow moves the view right: %s" % moves)
    check(moves["wheel"]["scale"] > fit["scale"], "the wheel turned away zooms in: %s" % moves)
    drag, wheel = moves["drag"], moves["wheel"]
    check(drag["x"] < wheel["x"] and drag["y"] < wheel["y"] and near(drag["scale"], wheel["scale"]),
          "a drag to the lower right pans the board with the mouse: %s" % moves)


def first_frame(seen):
    """When the page was first drawn; a slow browser start may run the hook before any frame."""
    if "firstFrame" in seen:
        return "first frame after %.0f ms" % seen["firstFrame"]
    return "no frame drawn within three seconds"


def check_screenshot(browser, work, page):
    shot = os.path.join(work, "shot.png")
    browse(browser, work, "--window-size=1280,1400", "--hide-scrollbars", "--screenshot=" + shot,
           "file://" + os.path.abspath(page))
    check(os.path.exists(shot), "no screenshot")
    if not os.path.exists(shot):
        return
    width, height, step, rows = png_pixels(shot)
    colours, board, red = set(), 0, 0
    for line in rows[::2]:
        for x in range(0, width * step, 2 * step):
            pixel = tuple(line[x:x + 3])
            colours.add(pixel)
            board += pixel == (0x10, 0x14, 0x18)
            red += pixel == (0xFF, 0x00, 0x00)
    check(len(colours) > 50, "the screenshot is blank: %d colours" % len(colours))
    check(board > 1000, "no board drawn: %d background pixels" % board)
    check(red > 5, "no Critical marker drawn: %d red pixels" % red)


def check_big_page(browser, work, writer):
    page = os.path.join(work, "big.html")
    subprocess.run([writer, page, "50000"], check=True)
    seen, _ = hooked(browser, work, page, "#test=paint")
    if seen is None:
        return
    check(seen["markers"] == 50000, "large page: %s markers" % seen["markers"])
    check(0 < seen["rows"] < 300, "large page: %d rows in the table at once" % seen["rows"])
    check(seen["lastRowShown"], "large page: the last row is not shown after a scroll")
    check(seen["filteredRows"] == 25000, "large page: %s Critical rows" % seen["filteredRows"])
    print("50,000 markers, %.1f MB: script done after %.0f ms, %s; scroll %.0f ms, "
          "filter %.0f ms, zoom %.0f ms" % (os.path.getsize(page) / 1e6, seen["ready"], first_frame(seen),
                                            seen["scrollMs"], seen["filterMs"], seen["zoomMs"]))


def main():
    cli, writer = sys.argv[1], sys.argv[2]
    browser = chromium()
    if browser is None:
        print("SKIPPED: chromium is not installed (scripts/install-deps installs it)")
        return 77
    with tempfile.TemporaryDirectory() as work:
        report, page, waived_key = run_example(cli, work)
        check_interactions(browser, work, report, page, waived_key)
        check_screenshot(browser, work, page)
        check_big_page(browser, work, writer)
    print("%d failed" % len(failures) if failures else "page checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
