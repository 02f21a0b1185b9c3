#!/usr/bin/python3
"""Checks the copper-distance rule of `boardsmith-cli drc` against exact shapes.

A board of small test cells is generated as text exchange records: in each
cell two copper elements (tracks, round THT pads, turned SMD pads) lie a
chosen gap apart, clearly below the limit or clearly above it; some pairs
are joined by a third track (one net) or lie on different layers. The board
is imported with `textio import`, read back with `dump --json` and checked
with `drc --json` with only the copper rule on. From the dump this script
builds the exact copper of every element with shapely, finds the nets by
exact overlap and then demands:

- every pair of elements of different nets on one layer whose copper lies
  clearly closer than the limit is covered by a copper-distance finding
  (the middle of the gap lies in the finding's marker);
- every finding names two elements of different nets on one layer whose
  copper is closer than the limit (allowing for the polygons by which the
  program approximates round shapes) and its marker covers their gap.

Gaps near the limit are not judged: the program works with polygons of a
few points per half circle. Standard library and python3-shapely only.
"""

import argparse
import json
import math
import os
import random
import subprocess
import sys

from shapely import affinity
from shapely.geometry import LineString, Point, Polygon, box
from shapely.ops import nearest_points

LIMIT = 1500  # the default copper distance, units of 0.1 um
SURELY_CLOSE = 800  # closer than this must be reported
SURELY_APART = LIMIT + 200  # farther than this must not be
PITCH = 120000  # test cells, 12 mm apart
COLUMNS, ROWS = 16, 12
SWITCHES = ["Bohrungen", "BohrMin", "BohrMax", "TrackMin", "RingMin", "BestMin", "SilkOnPad", "HoleOnSMD",
            "PadOhneLS", "LSFremd"]


# ---- the board ----

def make_element(rng, layer, cx, cy):
    """A random copper element at (cx, cy) in the text exchange frame (y down): its record maker and shape."""
    kind = rng.choice(["track", "pad", "smd"])
    if kind == "track":
        width = rng.choice([1500, 2000, 2500, 3000, 4000])
        length, angle = rng.uniform(3000, 30000), rng.uniform(0, math.pi)
        dx, dy = length / 2 * math.cos(angle), length / 2 * math.sin(angle)
        p0, p1 = (cx - dx, cy - dy), (cx + dx, cy + dy)
        return {"kind": "track", "layer": layer, "width": width, "p0": p0, "p1": p1,
                "shape": LineString([p0, p1]).buffer(width / 2)}
    if kind == "pad":
        size = rng.choice([6000, 8000, 10000, 16000])
        return {"kind": "pad", "layer": layer, "pos": (cx, cy), "size": size,
                "shape": Point(cx, cy).buffer(size / 2)}
    w, h, rot = rng.choice([4000, 6000, 10000]), rng.choice([6000, 8000, 16000]), rng.randrange(0, 36000, 500)
    rect = affinity.rotate(box(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2), rot / 100, origin=(cx, cy))
    return {"kind": "smd", "layer": layer, "pos": (cx, cy), "w": w, "h": h, "rot": rot, "shape": rect}


def moved(e, dx, dy):
    out = dict(e)
    out["shape"] = affinity.translate(e["shape"], dx, dy)
    for key in ("p0", "p1", "pos"):
        if key in e:
            out[key] = (e[key][0] + dx, e[key][1] + dy)
    return out


def place_at_gap(a, b, gap, angle):
    """Moves b from a's centre along the angle until the copper of both lies `gap` apart."""
    ux, uy = math.cos(angle), math.sin(angle)
    lo, hi = 0.0, 200000.0
    for _ in range(60):
        mid = (lo + hi) / 2
        if a["shape"].distance(affinity.translate(b["shape"], ux * mid, uy * mid)) < gap:
            lo = mid
        else:
            hi = mid
    return moved(b, round(ux * hi), round(uy * hi))


def record(e):
    def pt(p):
        return f"{round(p[0])}/{round(p[1])}"
    if e["kind"] == "track":
        return f"TRACK,LAYER={e['layer']},WIDTH={e['width']},P0={pt(e['p0'])},P1={pt(e['p1'])};"
    if e["kind"] == "pad":
        return f"PAD,LAYER={e['layer']},POS={pt(e['pos'])},FORM=1,SIZE={e['size']},DRILL=3000;"
    return (f"SMDPAD,LAYER={e['layer']},POS={pt(e['pos'])},SIZE_X={e['w']},SIZE_Y={e['h']},"
            f"ROTATION={e['rot']};")


def generate(rng):
    lines = []
    for row in range(ROWS):
        for col in range(COLUMNS):
            cx, cy = 80000 + col * PITCH, 80000 + row * PITCH
            case = rng.random()
            close = case < 0.45 or case >= 0.80
            gap = rng.uniform(100, 800) if close else rng.uniform(2000, 4000)
            a = make_element(rng, 1, cx, cy)
            b = make_element(rng, 3 if case >= 0.90 else 1, cx, cy)
            b = place_at_gap(a, b, gap, rng.uniform(0, 2 * math.pi))
            lines += [record(a), record(b)]
            if 0.80 <= case < 0.90:  # a track through both: one net
                ca, cb = a["shape"].centroid, b["shape"].centroid
                lines.append(f"TRACK,LAYER=1,WIDTH=2000,P0={round(ca.x)}/{round(ca.y)},P1={round(cb.x)}/{round(cb.y)};")
    return "\n".join(lines) + "\n"


# ---- what the program says ----

def run(cli, *args, codes=(0,)):
    r = subprocess.run([cli, *args], capture_output=True, text=True)
    if r.returncode not in codes:
        sys.exit(f"{' '.join(args)} ended with {r.returncode}: {r.stderr}")
    return r.stdout


def exact_copper(e):
    """The exact copper of a dumped element in model units, or None for what this check does not build."""
    if e["Kind"] == 6:  # track
        pts = [tuple(p) for p in e["Points"]]
        half = max(e["Width"], 100) / 2
        if len(pts) == 1 or all(p == pts[0] for p in pts):
            return Point(pts[0]).buffer(half)
        return LineString(pts).buffer(half)
    if e["Kind"] == 2 and e["Shape"] == 1:  # round THT pad
        return Point(e["Pos"]).buffer(e["SizeA"])
    if e["Kind"] == 8:  # SMD pad
        return Polygon([tuple(p) for p in e["Points"]])
    return None


def nets(shapes):
    parent = list(range(len(shapes)))

    def find(i):
        while parent[i] != i:
            parent[i] = parent[parent[i]]
            i = parent[i]
        return i
    for i, j in near_pairs(shapes, 0):
        if shapes[i][1].intersects(shapes[j][1]):
            parent[find(i)] = find(j)
    return [find(i) for i in range(len(shapes))]


def near_pairs(shapes, reach):
    """Pairs (i, j), i < j, on one layer whose boxes come within `reach`: a sweep over the left edges."""
    order = sorted(range(len(shapes)), key=lambda i: shapes[i][1].bounds[0])
    active = []
    for i in order:
        x0, y0, x1, y1 = shapes[i][1].bounds
        active = [j for j in active if shapes[j][1].bounds[2] + reach >= x0]
        for j in active:
            bx0, by0, bx1, by1 = shapes[j][1].bounds
            if shapes[i][0] == shapes[j][0] and by0 - reach <= y1 and y0 - reach <= by1:
                yield (min(i, j), max(i, j))
        active.append(i)


def gap_middle(a, b):
    p, q = nearest_points(a, b)
    return Point((p.x + q.x) / 2, (p.y + q.y) / 2)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--seed", type=int, default=17)
    args = ap.parse_args()
    os.makedirs(args.work, exist_ok=True)
    rng = random.Random(args.seed)
    text, board = os.path.join(args.work, "cells.txt"), os.path.join(args.work, "cells.bsm6")
    with open(text, "w") as f:
        f.write(generate(rng))
    run(args.cli, "textio", "import", text, "--force", board)
    elements = json.loads(run(args.cli, "dump", board, "--json"))["elements"]
    sets = [x for s in SWITCHES for x in ("--set", s + "=false")]
    report = json.loads(run(args.cli, "drc", board, "--json", *sets, codes=(0, 3)))
    findings = [f for f in report["findings"] if f["kind"] == 0 and not f["plane_gap"]]

    index, shapes = {}, []
    for i, e in enumerate(elements):
        s = exact_copper(e)
        if s is None:
            sys.exit(f"element {i} is of a kind this check does not build: {e['Kind']}")
        index[i] = len(shapes)
        shapes.append((e["Layer"], s))
    net = nets(shapes)

    def covered(f, spot, slack):
        left, top, right, bottom = f["marker"]
        return box(left - slack, top - slack, right + slack, bottom + slack).contains(spot)

    failures, must, judged_apart = [], 0, 0
    for i, j in near_pairs(shapes, 5000):
        if net[i] == net[j]:
            continue
        d = shapes[i][1].distance(shapes[j][1])
        if d < SURELY_CLOSE:
            must += 1
            spot = gap_middle(shapes[i][1], shapes[j][1])
            if not any(covered(f, spot, 500) for f in findings):
                failures.append(f"elements {i} and {j} are {d:.0f} units apart and no finding covers ({spot.x:.0f}, "
                                f"{spot.y:.0f})")
        elif d > SURELY_APART:
            judged_apart += 1
    for f in findings:
        if len(f["elements"]) != 2:
            failures.append(f"finding without its two elements: {f}")
            continue
        i, j = (index[k] for k in f["elements"])
        a, b = shapes[i][1], shapes[j][1]
        d = a.distance(b)
        if shapes[i][0] != shapes[j][0] or net[i] == net[j] or d > SURELY_APART:
            failures.append(f"finding at {f['marker']} for elements {f['elements']}: layers {shapes[i][0]}/"
                            f"{shapes[j][0]}, one net: {net[i] == net[j]}, {d:.0f} units apart")
        elif not covered(f, gap_middle(a, b), 500):
            failures.append(f"finding at {f['marker']} does not cover the gap of elements {f['elements']}")

    print(f"{len(elements)} elements, {len(findings)} copper findings; {must} pairs clearly too close, "
          f"{judged_apart} pairs of different nets near each other clearly far enough")
    if must < 30 or judged_apart < 30:
        failures.append("the generated board has too few pairs to judge")
    for line in failures:
        print("FAIL:", line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
