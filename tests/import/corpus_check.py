#!/usr/bin/env python3
"""Checks the Gerber and Excellon import against gerbv on real file sets.

For every set folder of the corpus (CORPUS.tsv names its files):
  * every Gerber file that gerbv reads without a critical error is imported
    alone (boardsmith-cli gerber-import) and drawn (boardsmith-cli render);
    gerbv draws the source file over the same window. Within one pixel at
    the edges, at least 99 % of gerbv's copper pixels must be ours and at
    least 99 % of ours gerbv's;
  * every drill file puts each hole where gerbv puts it (gerbv's own drill
    export of the file, read back), with the same diameter; for the files
    where gerbv is known to misplace holes, every hole must lie inside the
    extent of the set's Gerber files instead.

Sets listed in KNOWN_FAILING are checked and reported, but do not fail the
run; a known failure that passes is reported too, so that the list shrinks.

Usage: corpus_check.py --cli BOARDSMITH-CLI --gerbv GERBV --corpus DIR --work DIR [--sets A,B]
Exits 77 (skipped) when the corpus is missing.
"""
import argparse
import csv
import json
import os
import re
import subprocess
import sys
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from png_rows import read_png  # noqa: E402  (the tests folder holds the shared reader)

# Pixels per unit at most (20 pixels a millimetre), and the longest side.
MAX_ZOOM = 0.002
MAX_SIDE = 1400
SHARE = 0.99

# Files where gerbv itself puts holes in the wrong place (the corpus README).
GERBV_MISPLACES = {
    "easyeda6.4-inch/Gerber_Drill_NPTH.DRL", "easyeda6.4-inch/Gerber_Drill_PTH.DRL",
    "altium-legacy-usbvil/pic18f14k50.txt", "pads-osu-rover/Drill.drl",
}

# Sets whose import does not yet agree with gerbv, and why.
KNOWN_FAILING = {
    # After %LPC the silkscreen files flash RoundRect macros to cut the
    # silkscreen away from the pads; gerbv draws those macro flashes dark
    # (their primitives' exposure 1 taken as dark instead of the current
    # polarity), so its picture shows pads where the file clears.
    "kicad6-mht-base": "gerbv draws clear-polarity macro flashes dark",
}

failures = []
known = []


def run(cmd):
    return subprocess.run(cmd, capture_output=True, text=True)


def row_masks(rows, ch, w, h, test):
    """Each row as an integer whose bit x is set where test(r, g, b) holds."""
    out = []
    for y in range(h):
        row = rows[y]
        bits = 0
        for x in range(w):
            i = x * ch
            if test(row[i], row[i + 1], row[i + 2]):
                bits |= 1 << x
        out.append(bits)
    return out


def dilate(m, w):
    full = (1 << w) - 1
    grown = [(r | (r << 1) | (r >> 1)) & full for r in m]
    return [grown[y] | (grown[y - 1] if y > 0 else 0) | (grown[y + 1] if y + 1 < len(m) else 0)
            for y in range(len(m))]


def popcount(m):
    return sum(bin(r).count("1") for r in m)


# Layer colour of C1 in the standard scheme, the darkened ground-plane
# colour and the through-pad colour (0x00BBGGRR).
def rgb(c, k=0.0):
    return tuple(round(((c >> s) & 255) * (1 - k)) for s in (0, 8, 16))


COPPER = {rgb(0xF96A1E), rgb(0xF96A1E, 0.4), rgb(0xFDE351)}
OVERLAY = {rgb(0x464646), rgb(0xD7D7D7), rgb(0xFFFFFF)}


def check_gerber(args, set_name, rel, work, extent_in):
    src = os.path.join(args.corpus, set_name, rel)
    tag = rel.replace("/", "_")
    bsm = os.path.join(work, tag + ".bsm6")
    r = run([args.cli, "gerber-import", bsm, "--c1", src, "--json", "--force", "--continue-invalid"])
    if r.returncode != 0:
        return "import failed: " + r.stderr.strip()
    rep = json.loads(r.stdout)
    if rep["empty"]:
        # Only a file that gerbv finds empty as well (its extent is its
        # default 0.01 inch square) may bring nothing.
        return None if extent_in in ("", "0.01x0.01") else "nothing imported"
    info = json.loads(run([args.cli, "info", "--json", bsm]).stdout)
    b = info["boards"][0]
    wu, hu = b["width"], b["height"]
    zoom = min(MAX_ZOOM, MAX_SIDE / max(wu, hu))
    w, h = max(1, int(wu * zoom)), max(1, int(hu * zoom))
    dx, dy = rep["shift_mm"][0] * 1e4, rep["shift_mm"][1] * 1e4
    # The board spans model x 0 ... W and y -H ... 0; file = model - shift.
    # Both pictures start at its upper-left corner.
    ox, oy = (-dx) / 254000.0, (-dy - h / zoom) / 254000.0
    theirs = os.path.join(work, tag + ".gerbv.png")
    ours = os.path.join(work, tag + ".ours.png")
    r = run([args.gerbv, "-x", "png", "-D", str(zoom * 254000), "-O", "%.6fx%.6f" % (ox, oy), "-w",
             "%dx%d" % (w, h), "-B", "0", "-b", "#000000", "-f", "#FFFFFF", "-o", theirs, src])
    if not os.path.exists(theirs):
        return "gerbv drew nothing: " + r.stderr.strip()[:200]
    r = run([args.cli, "render", bsm, ours, "--plain", "--layers", "1", "--active-layer", "1", "--zoom",
             repr(zoom), "--width", str(w), "--height", str(h), "--scroll", "0,0", "--force"])
    if r.returncode != 0:
        return "render failed: " + r.stderr.strip()
    tw, th, trows, tch = read_png(theirs)
    ow, oh, orows, och = read_png(ours)
    cw, chh = min(tw, ow), min(th, oh)
    a = row_masks(trows, tch, cw, chh, lambda r, g, b: r + g + b > 96)
    b_ = row_masks(orows, och, cw, chh, lambda r, g, b: (r, g, b) in COPPER)
    unsure = row_masks(orows, och, cw, chh, lambda r, g, b: (r, g, b) in OVERLAY)
    da, db = dilate(a, cw), dilate([x | u for x, u in zip(b_, unsure)], cw)
    missing = popcount([x & ~y for x, y in zip(a, db)])
    extra = popcount([(x & ~u) & ~y for x, u, y in zip(b_, unsure, da)])
    na, nb = popcount(a), popcount(b_)
    ok_a = 1 - missing / max(1, na)
    ok_b = 1 - extra / max(1, nb)
    line = "%s/%s: %d x %d px, gerbv %d copper px, ours %d; %.2f%% of gerbv's covered, %.2f%% of ours" % (
        set_name, rel, cw, chh, na, nb, 100 * ok_a, 100 * ok_b)
    print("  " + line)
    if ok_a < SHARE or ok_b < SHARE:
        return "pictures differ (%s, %s): %.2f%% / %.2f%%" % (theirs, ours, 100 * ok_a, 100 * ok_b)
    return None


def holes_of(args, path, extra=()):
    r = run([args.cli, "drill-read", path, "--json"] + list(extra))
    if r.returncode != 0:
        return None, r.stderr.strip()
    rep = json.loads(r.stdout)[0]
    return [(h["x_mm"], h["y_mm"], h["diameter_mm"]) for h in rep["holes"] if "x2_mm" not in h], None


def check_drill(args, set_name, rel, work, extent):
    src = os.path.join(args.corpus, set_name, rel)
    ours, err = holes_of(args, src)
    if ours is None:
        return "drill-read failed: " + err
    key = set_name + "/" + rel
    def within_extent(note):
        if extent is None:
            return "no extent to check the holes against"
        x0, y0, x1, y1 = extent
        outside = [h for h in ours if not (x0 - 0.5 <= h[0] <= x1 + 0.5 and y0 - 0.5 <= h[1] <= y1 + 0.5)]
        print("  %s: %d holes, %d outside the boards' extent (%s)" % (key, len(ours), len(outside), note))
        return "%d holes outside the board, first %s" % (len(outside), outside[0]) if outside else None

    if key in GERBV_MISPLACES:
        return within_extent("gerbv misplaces holes in this file")
    svg = os.path.join(work, rel.replace("/", "_") + ".gerbv.svg")
    run([args.gerbv, "-x", "svg", "-o", svg, src])
    if not os.path.exists(svg):
        return "gerbv drew nothing"
    theirs = svg_holes(svg)
    print("  %s: %d holes, gerbv %d" % (key, len(ours), len(theirs)))
    if len(ours) != len(theirs):
        return within_extent("gerbv has %d holes" % len(theirs))
    if not ours:
        return None
    # gerbv's picture starts at the extent of the holes: the two sets are
    # compared about their centroids.
    cx = sum(h[0] for h in ours) / len(ours) - sum(h[0] for h in theirs) / len(theirs)
    cy = sum(h[1] for h in ours) / len(ours) - sum(h[1] for h in theirs) / len(theirs)
    grid = {}
    for x, y, d in theirs:
        grid.setdefault((round(x * 10), round(y * 10)), []).append((x, y, d))
    bad = []
    for x, y, d in ours:
        x, y = x - cx, y - cy
        near = [q for i in (-1, 0, 1) for j in (-1, 0, 1) for q in grid.get((round(x * 10) + i, round(y * 10) + j), [])
                if abs(q[0] - x) <= 0.021 and abs(q[1] - y) <= 0.021 and abs(q[2] - d) <= 0.021]
        if not near:
            bad.append((round(x, 3), round(y, 3), round(d, 3)))
    if bad:
        # gerbv reads some headers differently (the number format in a
        # comment); the holes must then at least lie on the board.
        return within_extent("gerbv puts %d holes elsewhere, first ours %s" % (len(bad), bad[0]))
    return None


def svg_holes(path):
    """Filled circles of gerbv's SVG picture as (x, y, diameter) in mm, y up.
    A circle is written as two Bezier halves: M a b C ... c b C ... a b."""
    out = []
    pt = 25.4 / 72
    for m in re.finditer(r'<path style="[^"]*fill:rgb[^"]*" d="M ([-0-9.e]+) ([-0-9.e]+) C [^C]* ([-0-9.e]+) '
                         r'([-0-9.e]+) C [^"]*"', open(path, encoding="utf-8").read()):
        a, b, c = float(m.group(1)), float(m.group(2)), float(m.group(3))
        out.append(((a + c) / 2 * pt, -b * pt, abs(a - c) * pt))
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--gerbv", required=True)
    ap.add_argument("--corpus", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--sets", default="")
    args = ap.parse_args()
    table = os.path.join(args.corpus, "CORPUS.tsv")
    if not os.path.exists(table):
        print("corpus not found at %s: skipped" % args.corpus)
        return 77
    rows = list(csv.DictReader(open(table, encoding="utf-8"), delimiter="\t"))
    sets = {}
    for row in rows:
        if row["set"].startswith("synthetic-"):
            continue
        sets.setdefault(row["set"], []).append(row)
    chosen = [s for s in args.sets.split(",") if s] or sorted(sets)
    for s in chosen:
        work = os.path.join(args.work, s)
        os.makedirs(work, exist_ok=True)
        print(s)
        problems = []
        for row in sets[s]:
            if row["kind"] != "gerber" or int(row["gerbv_critical"] or 0) > 0:
                continue
            e = check_gerber(args, s, row["file"], work, row["gerbv_extent_in"])
            if e:
                problems.append(row["file"] + ": " + e)
        for row in sets[s]:
            if row["kind"] != "excellon":
                continue
            e = check_drill(args, s, row["file"], work, set_extent(args, s, sets[s], work))
            if e:
                problems.append(row["file"] + ": " + e)
        if s in KNOWN_FAILING:
            if problems:
                known.append(s)
                print("  KNOWN FAILING (%s): %s" % (KNOWN_FAILING[s], "; ".join(problems)))
            else:
                print("  listed as known failing, but passes now: take it off the list")
        else:
            for p in problems:
                failures.append(s + "/" + p)
                print("  FAIL: " + p)
    print("%d sets checked, %d failures, %d known failing sets" % (len(chosen), len(failures), len(known)))
    return 1 if failures else 0


_extents = {}


def set_extent(args, s, rows, work):
    """The extent in mm of the set's copper files as our import reads them."""
    if s in _extents:
        return _extents[s]
    ext = None
    for row in rows:
        if row["kind"] != "gerber" or int(row["gerbv_critical"] or 0) > 0:
            continue
        bsm = os.path.join(work, "extent.bsm6")
        r = run([args.cli, "gerber-import", bsm, "--c1", os.path.join(args.corpus, s, row["file"]), "--json",
                 "--force", "--no-join"])
        if r.returncode != 0:
            continue
        rep = json.loads(r.stdout)
        if rep["empty"]:
            continue
        b = json.loads(run([args.cli, "info", "--json", bsm]).stdout)["boards"][0]
        dx, dy = rep["shift_mm"]
        # The content lies 5 mm inside the board.
        e = (5 - dx, -b["height"] / 1e4 + 5 - dy, b["width"] / 1e4 - 5 - dx, -5 - dy)
        ext = e if ext is None else (min(ext[0], e[0]), min(ext[1], e[1]), max(ext[2], e[2]), max(ext[3], e[3]))
    _extents[s] = ext
    return ext


if __name__ == "__main__":
    sys.exit(main())
