#!/usr/bin/python3
"""An independent reader of macro files (.bmk), as a check of the writer.

It reads the bytes from the file layout alone (header, element blocks with
their 77-byte headers, strings, groups, points, strokes and placement data,
one zero connection count per pad, the two 51-byte description lines) and
compares every field with `boardsmith-cli dump --json` of the same file. It
also checks that the reference point (the pad rule) lies at (0, 0).

  bmk_reader.py --cli boardsmith-cli --work DIR PROJECT.bsm6 [...]
"""
import argparse
import json
import math
import pathlib
import struct
import subprocess
import sys

THT, ZONE, TRACK, TEXT, SMD = 2, 4, 6, 7, 8
WITH_POINTS = {THT, ZONE, TRACK, SMD}

# Header fields: offset, struct format, the names the field has in the dump
# (one slot holds different fields for different kinds).
HEADER = [
    (0, "<B", ["Kind"]),
    (9, "<f", ["SizeA"]),
    (13, "<f", ["SizeB"]),
    (17, "<i", ["Width", "StopAngle", "Style"]),
    (21, "<B", ["Selected"]),
    (22, "<B", ["Layer"]),
    (23, "<B", ["Shape", "TrackEnds", "LabelRole"]),
    (28, "<h", ["ComponentNo"]),
    (31, "<i", ["StartAngle", "ThermalSpokes"]),
    (40, "<B", ["Fill", "ThermalIndividual", "LabelVisible"]),
    (41, "<i", ["Clearance"]),
    (49, "<B", ["Routed"]),
    (50, "<B", ["Thermal", "Hatch", "MirrorH"]),
    (51, "<B", ["HatchAuto", "MirrorV"]),
    (52, "<B", ["Cutout"]),
    (53, "<i", ["ThermalWidth", "HatchWidth", "Rotation"]),
    (57, "<B", ["Via"]),
    (58, "<B", ["SolderMask"]),
    (62, "<I", ["ThermalMagic"]),
]


class Fault(Exception):
    pass


class Reader:
    def __init__(self, data):
        self.d = data
        self.at = 0

    def take(self, n):
        if self.at + n > len(self.d):
            raise Fault(f"the file ends at byte {len(self.d)}, {n} more bytes were expected at {self.at}")
        b = self.d[self.at:self.at + n]
        self.at += n
        return b

    def unpack(self, fmt):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt)))[0]

    def stored_string(self):
        n = self.unpack("<I")
        return self.take(n)

    def short_string(self, k):
        raw = self.take(k + 1)
        if raw[0] > k:
            raise Fault(f"a short string of {k} claims {raw[0]} characters")
        return raw[1:1 + raw[0]]


def read_header(r):
    raw = r.take(77)
    h = {}
    for offset, fmt, names in HEADER:
        h[names[0]] = (struct.unpack_from(fmt, raw, offset)[0], names)
    h["Pos"] = (list(struct.unpack_from("<ff", raw, 1)), ["Pos"])
    return h


def read_points(r):
    n = r.unpack("<i")
    if n < 0 or n > 10_000_000:
        raise Fault(f"a point count of {n}")
    return [list(struct.unpack("<ff", r.take(8))) for _ in range(n)]


def read_element(r):
    e = read_header(r)
    kind = e["Kind"][0]
    e["Text"] = (r.stored_string().decode("cp1251"), ["Text"])
    e["Text2"] = (r.stored_string().decode("cp1251"), ["Text2"])
    g = r.unpack("<i")
    e["Groups"] = ([r.unpack("<i") for _ in range(g)], ["Groups"])
    if kind in WITH_POINTS:
        e["Points"] = (read_points(r), ["Points"])
    strokes = []
    if kind == TEXT:
        for _ in range(r.unpack("<i")):
            s = read_header(r)
            s["Points"] = (read_points(r), ["Points"])
            strokes.append(s)
    e["SubElements"] = (strokes, ["SubElements"])
    if kind == TEXT and e["Shape"][0] & 1:  # a component ID label
        e["PlaceOffsetX"] = (r.unpack("<f"), ["PlaceOffsetX"])
        e["PlaceOffsetY"] = (r.unpack("<f"), ["PlaceOffsetY"])
        e["PlaceCentre"] = (r.unpack("<B"), ["PlaceCentre"])
        e["PlaceRotation"] = (r.unpack("<d"), ["PlaceRotation"])
        e["Package"] = (r.stored_string().decode("cp1251"), ["Package"])
        e["Comment"] = (r.stored_string().decode("cp1251"), ["Comment"])
        e["PlaceEnabled"] = (r.unpack("<B"), ["PlaceEnabled"])
    return e


def read_macro(data):
    r = Reader(data)
    head = r.unpack("<I")
    if head & 0xFFFFFF00 != 0xFFAA3300:
        raise Fault(f"header {head:#x} is not a macro header")
    version = head & 0xFF
    if version != 6:
        raise Fault(f"version {version}: this reader knows version 6 only")
    n = r.unpack("<i")
    if n < 0:
        raise Fault(f"an element count of {n}")
    elements = [read_element(r) for _ in range(n)]
    for i, e in enumerate(elements):
        if e["Kind"][0] in (THT, SMD):
            c = r.unpack("<i")
            if c != 0:
                raise Fault(f"pad {i} has {c} connections; a macro has none")
    text1 = r.short_string(50).decode("cp1251")
    text2 = r.short_string(50).decode("cp1251")
    if r.at != len(data):
        raise Fault(f"{len(data) - r.at} bytes follow the description lines")
    return version, elements, text1, text2


def same(a, b):
    if isinstance(a, float) or isinstance(b, float):
        if isinstance(a, (int, float)) and isinstance(b, (int, float)):
            return a == b or (math.isnan(a) and math.isnan(b)) or abs(a - b) <= 1e-6 * max(1.0, abs(a))
        return False
    if isinstance(a, int) and isinstance(b, int) and not isinstance(a, bool):
        return (a - b) % (1 << 32) == 0  # a 32-bit slot read signed or as a mask
    if isinstance(a, list) and isinstance(b, list):
        return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b


def compare(ours, dumped, where):
    for key, (value, names) in ours.items():
        if key == "SubElements":
            theirs = dumped.get("SubElements", [])
            if len(theirs) != len(value):
                raise Fault(f"{where}: {len(value)} strokes in the file, {len(theirs)} in the dump")
            for k, (s, t) in enumerate(zip(value, theirs)):
                compare(s, t, f"{where} stroke {k}")
            continue
        name = next((n for n in names if n in dumped), None)
        if name is None:
            raise Fault(f"{where}: the dump has none of {names}")
        if not same(value, dumped[name]):
            raise Fault(f"{where}: {name} is {value!r} in the file, {dumped[name]!r} in the dump")


def reference_point(elements):
    """The pad rule: the first pad centre, replaced by every later one that is
    not right of it and not below it (whole units)."""
    best = None
    for e in elements:
        if e["Kind"][0] not in (THT, SMD):
            continue
        if e["Kind"][0] == THT:
            c = e["Pos"][0]
        else:  # SMD pad: the midpoint of corners 0 and 2
            p = e["Points"][0]
            c = [(p[0][0] + p[2][0]) / 2, (p[0][1] + p[2][1]) / 2]
        if best is None or (round(c[0]) <= round(best[0]) and round(c[1]) >= round(best[1])):
            best = c
    return best


def check(cli, work, source, index):
    out = work / f"macro{index}.bmk"
    subprocess.run([cli, "macro", "save", source, "--text1", "Dr\u00fcck \u0416", "--text2", "second line", str(out),
                    "--force"], check=True, capture_output=True)
    version, elements, text1, text2 = read_macro(out.read_bytes())
    dumped = json.loads(subprocess.run([cli, "dump", str(out), "--json"], check=True, capture_output=True,
                                       text=True).stdout)
    if dumped.get("version") != version or not dumped.get("macro"):
        raise Fault(f"the dump says version {dumped.get('version')}, macro {dumped.get('macro')}")
    if dumped.get("text1") != text1 or dumped.get("text2") != text2:
        raise Fault(f"description lines {text1!r}, {text2!r} in the file, "
                    f"{dumped.get('text1')!r}, {dumped.get('text2')!r} in the dump")
    if len(dumped["elements"]) != len(elements):
        raise Fault(f"{len(elements)} elements in the file, {len(dumped['elements'])} in the dump")
    for i, (e, d) in enumerate(zip(elements, dumped["elements"])):
        compare(e, d, f"{source} element {i}")
        if e["Selected"][0] != 0 or e["Routed"][0] != 0:
            raise Fault(f"element {i} is stored selected or routed")
    ref = reference_point(elements)
    if ref is not None and (round(ref[0]) != 0 or round(ref[1]) != 0):
        raise Fault(f"the reference point lies at {ref}, not at (0, 0)")
    kinds = sorted({e["Kind"][0] for e in elements})
    print(f"{source}: {len(elements)} elements of kinds {kinds} agree with the dump")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("sources", nargs="+")
    a = ap.parse_args()
    work = pathlib.Path(a.work)
    work.mkdir(parents=True, exist_ok=True)
    try:
        for i, source in enumerate(a.sources):
            check(a.cli, work, source, i)
    except (Fault, subprocess.CalledProcessError) as e:
        print(f"FAILED: {e}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
