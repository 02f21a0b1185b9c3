#!/usr/bin/python3
"""An independent reader of macro files (.bmk), as a check of the writer.

For every project given, it saves the active board as a macro with
`boardsmith-cli macro save`, reads the macro back byte by byte from the file
layout alone and checks:

- the header (06 33 AA FF: version 6; other versions are refused) and the
  element count;
- every element block: the 77-byte header (reference and reserved slots
  zero, not selected, not routed), Text and Text2, the group numbers, the
  points of pads, zones and tracks, the strokes of texts (header and points,
  no strings, no groups) and the placement data of component ID labels;
- one i32 0 per THT and SMD pad, in list order (macros carry no connections);
- the two description lines: a length byte and 50 bytes, zero behind the
  text, holding what was asked for; the file ends right after them;
- the reference point (first pad centre not right of and not below the
  others, then track and zone vertices, then circle centres) lies at (0, 0);
- every decoded field against `boardsmith-cli dump --json` of the macro, and
  the dump has no field the file does not explain;
- every element against the dump of the source board moved by minus the
  reference point found there (only positions change; selection, route flags
  and links and connections are dropped).

  bmk_reader.py --cli boardsmith-cli --work DIR PROJECT.bsm6 [...]

Exits with 1 and a message on the first disagreement.
"""
import argparse
import json
import math
import pathlib
import struct
import subprocess
import sys

MAGIC = 0xFFAA3300
VERSION = 6
THT, ZONE, CIRCLE, TRACK, TEXT, SMD = 2, 4, 5, 6, 7, 8
KINDS = {THT, ZONE, CIRCLE, TRACK, TEXT, SMD}  # legacy kinds 1 and 3 are converted when read
WITH_POINTS = {THT, ZONE, TRACK, SMD}
PADS = {THT, SMD}
THERMAL_MAGIC = 123456789

# Element header: offset, struct format, field names (one slot holds
# different fields for different kinds; the dump names it after the kind).
FIELDS = [
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
# Slots written as zero: the list references (Points, Groups, Connections)
# and the reserved bytes. Mark (30) and Reserved39 carry no meaning on disk.
ZERO_SLOTS = [(24, 4, "Points reference"), (35, 4, "Groups reference"), (45, 4, "Connections reference"),
              (59, 3, "Reserved59"), (66, 11, "Reserved66")]
F32_FIELDS = {"Pos", "SizeA", "SizeB", "Points", "PlaceOffsetX", "PlaceOffsetY"}
PLACEMENT = ["PlaceOffsetX", "PlaceOffsetY", "PlaceCentre", "PlaceRotation", "Package", "Comment", "PlaceEnabled"]
LINKS = ["Connections", "RouteStart", "RouteEnd"]

TEXT1 = "Дроссель 100µH, " + "x" * 34  # exactly 50 characters
TEXT2 = "second line"


class Fault(Exception):
    pass


def text(raw):
    return raw.decode("cp1251", errors="replace")


class Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0

    def take(self, n, what):
        if self.at + n > len(self.data):
            raise Fault(f"the file ends at byte {len(self.data)}; {what} needs {n} bytes at byte {self.at}")
        raw = self.data[self.at:self.at + n]
        self.at += n
        return raw

    def value(self, fmt, what):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt), what))[0]

    def count(self, what, limit=10_000_000):
        n = self.value("<i", what)
        if n < 0 or n > limit:
            raise Fault(f"{what} is {n} at byte {self.at - 4}")
        return n

    def stored_string(self, what):
        n = self.value("<I", what + " length")
        if n > 255:
            raise Fault(f"{what} has {n} bytes; strings are written with at most 255")
        return text(self.take(n, what))

    def short_string(self, k, what):
        raw = self.take(k + 1, what)
        if raw[0] > k:
            raise Fault(f"{what}: the length byte says {raw[0]}, at most {k} fit")
        if any(raw[1 + raw[0]:]):
            raise Fault(f"{what}: the bytes behind the {raw[0]} characters are not zero: {raw[1 + raw[0]:].hex()}")
        return raw[1:1 + raw[0]]


def read_header(r, where):
    at = r.at
    raw = r.take(77, f"{where}: the element header")
    e = {}
    for offset, fmt, names in FIELDS:
        e[names[0]] = (struct.unpack_from(fmt, raw, offset)[0], names)
    e["Pos"] = (list(struct.unpack_from("<ff", raw, 1)), ["Pos"])
    for offset, size, name in ZERO_SLOTS:
        if any(raw[offset:offset + size]):
            raise Fault(f"{where}: {name} (header bytes {offset}..{offset + size - 1}, file byte {at + offset}) "
                        f"is {raw[offset:offset + size].hex()}, written as zero")
    for name in ("Selected", "Routed"):
        if e[name][0] != 0:
            raise Fault(f"{where}: {name} is {e[name][0]}; the macro writer clears it")
    return e


def read_points(r, where):
    n = r.count(f"{where}: the point count")
    return [list(struct.unpack("<ff", r.take(8, f"{where}: point {k}"))) for k in range(n)]


def read_element(r, i):
    where = f"element {i}"
    e = read_header(r, where)
    kind = e["Kind"][0]
    if kind not in KINDS:
        raise Fault(f"{where}: kind {kind} is not written")
    if not 1 <= e["Layer"][0] <= 7:
        raise Fault(f"{where}: layer {e['Layer'][0]}")
    e["Text"] = (r.stored_string(f"{where}: Text"), ["Text"])
    e["Text2"] = (r.stored_string(f"{where}: Text2"), ["Text2"])
    groups = [r.value("<i", f"{where}: group") for _ in range(r.count(f"{where}: the group count"))]
    if any(g <= 0 for g in groups):
        raise Fault(f"{where}: group numbers {groups}; they are positive")
    e["Groups"] = (groups, ["Groups"])
    e["Points"] = (read_points(r, where) if kind in WITH_POINTS else [], ["Points"])
    strokes = []
    if kind == TEXT:
        for k in range(r.count(f"{where}: the stroke count")):
            s = read_header(r, f"{where} stroke {k}")
            if s["Kind"][0] != TRACK:
                raise Fault(f"{where} stroke {k}: kind {s['Kind'][0]}; strokes are tracks")
            s["Points"] = (read_points(r, f"{where} stroke {k}"), ["Points"])
            # Strokes carry no strings and no group list: the dump shows them empty.
            s["Text"] = ("", ["Text"])
            s["Text2"] = ("", ["Text2"])
            s["Groups"] = ([], ["Groups"])
            s["SubElements"] = ([], ["SubElements"])
            strokes.append(s)
    e["SubElements"] = (strokes, ["SubElements"])
    if kind == TEXT and e["Shape"][0] & 1:  # LabelRole bit 0: a component ID label
        e["PlaceOffsetX"] = (r.value("<f", f"{where}: PlaceOffsetX"), ["PlaceOffsetX"])
        e["PlaceOffsetY"] = (r.value("<f", f"{where}: PlaceOffsetY"), ["PlaceOffsetY"])
        e["PlaceCentre"] = (r.value("<B", f"{where}: PlaceCentre"), ["PlaceCentre"])
        e["PlaceRotation"] = (r.value("<d", f"{where}: PlaceRotation"), ["PlaceRotation"])
        e["Package"] = (r.stored_string(f"{where}: Package"), ["Package"])
        e["Comment"] = (r.stored_string(f"{where}: Comment"), ["Comment"])
        e["PlaceEnabled"] = (r.value("<B", f"{where}: PlaceEnabled"), ["PlaceEnabled"])
    return e


def read_macro(data):
    r = Reader(data)
    head = r.take(4, "the header")
    word = struct.unpack("<I", head)[0]
    if word < MAGIC or word - MAGIC >= 12:
        raise Fault(f"the header {head.hex(' ')} is not a macro header (0xFFAA3300 + version)")
    version = word - MAGIC
    if version != VERSION:
        raise Fault(f"the file has version {version}; this reader knows version {VERSION} only")
    if head != bytes([6, 0x33, 0xAA, 0xFF]):
        raise Fault(f"the header bytes are {head.hex(' ')}, not 06 33 aa ff")
    n = r.count("the element count")
    elements = [read_element(r, i) for i in range(n)]
    pads = 0
    for i, e in enumerate(elements):
        if e["Kind"][0] in PADS:
            at = r.at
            c = r.value("<i", f"the connection count of pad {i}")
            if c != 0:
                raise Fault(f"pad {i} (file byte {at}) has connection count {c}; a macro has 0")
            pads += 1
    text1 = r.short_string(50, "text 1")
    text2 = r.short_string(50, "text 2")
    if r.at != len(data):
        raise Fault(f"{len(data) - r.at} bytes follow the description lines (the file should end at byte {r.at})")
    return version, elements, pads, text1, text2


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def same(name, ours, theirs):
    """Exact comparison; a 32-bit float of the file against the dump's
    shortest round-trip digits (null for a non-finite value)."""
    if isinstance(ours, list):
        return isinstance(theirs, list) and len(ours) == len(theirs) and \
            all(same(name, a, b) for a, b in zip(ours, theirs))
    if isinstance(ours, float):
        if not math.isfinite(ours):
            return theirs is None
        if not isinstance(theirs, (int, float)) or isinstance(theirs, bool):
            return False
        return (f32(theirs) if name in F32_FIELDS else float(theirs)) == ours
    if isinstance(ours, int):
        return isinstance(theirs, int) and not isinstance(theirs, bool) and ours == theirs
    return ours == theirs


def compare_with_dump(ours, dumped, where):
    expected_keys = set(LINKS)
    for key, (value, names) in ours.items():
        present = [n for n in names if n in dumped]
        if len(present) != 1:
            raise Fault(f"{where}: the dump has {present or 'none'} of {names}")
        name = present[0]
        expected_keys.add(name)
        if key == "SubElements":
            if not isinstance(dumped[name], list) or len(dumped[name]) != len(value):
                raise Fault(f"{where}: {len(value)} strokes in the file, "
                            f"{len(dumped[name]) if isinstance(dumped[name], list) else dumped[name]!r} in the dump")
            for k, (s, t) in enumerate(zip(value, dumped[name])):
                compare_with_dump(s, t, f"{where} stroke {k}")
            continue
        if name == "ThermalSpokes":  # four 8-bit masks: the dump shows the word unsigned
            value &= 0xFFFFFFFF
        if not same(key, value, dumped[name]):
            raise Fault(f"{where}: {name}: the file holds {value!r}, the dump says {dumped[name]!r}")
    extra = set(dumped) - expected_keys
    if extra:
        raise Fault(f"{where}: the dump has fields the file does not hold: {sorted(extra)}")
    if dumped.get("Connections") != [] or dumped.get("RouteStart") != -1 or dumped.get("RouteEnd") != -1:
        raise Fault(f"{where}: links in the dump (Connections {dumped.get('Connections')}, RouteStart "
                    f"{dumped.get('RouteStart')}, RouteEnd {dumped.get('RouteEnd')}); a macro carries none")


def whole(v):
    return math.floor(v + 0.5)


def left_top(points):
    """The first point, replaced by every later one whose x is not greater and
    whose y is not smaller (compared in whole units)."""
    best = None
    for p in points:
        if best is None or (whole(p[0]) <= whole(best[0]) and whole(p[1]) >= whole(best[1])):
            best = p
    return best


def reference_point(elements):
    """Elements as (kind, pos, points) triples; None when only the last rule
    (the grid-snapped corner of the bounds) would decide."""
    def centre(kind, pos, points):
        if kind == SMD:  # Pos is not kept up to date: the midpoint of corners 0 and 2
            return [(points[0][0] + points[2][0]) / 2, (points[0][1] + points[2][1]) / 2]
        return list(pos)
    steps = [
        [centre(k, pos, pts) for k, pos, pts in elements if k in PADS],
        [p for k, pos, pts in elements if k in (TRACK, ZONE) for p in pts],
        [list(pos) for k, pos, pts in elements if k == CIRCLE],
    ]
    for number, points in enumerate(steps, 1):
        if points:
            return left_top(points), number
    return None, 4


def near(got, want, *operands):
    scale = max([abs(want)] + [abs(o) for o in operands])
    return abs(got - want) <= 1e-3 + 2.5e-7 * scale


def moved(where, got, src, d, name):
    if len(got) != len(src):
        raise Fault(f"{where}: {name} has {len(got)} coordinates in the macro, {len(src)} on the board")
    for a, b, s in zip(got, src, d * (len(src) // 2)):
        if a is None or b is None or not near(a, b + s, b, s):
            raise Fault(f"{where}: {name} is {got} in the macro; the board's {src} moved by {d} gives "
                        f"{[x + y for x, y in zip(src, d * (len(src) // 2))]}")


def compare_with_board(macro, board, d, where):
    """A macro element is the board's element moved by d: THT pads move Pos
    and points, zones, tracks and SMD pads their points, circles Pos, texts
    Pos and their strokes (as tracks)."""
    kind = board["Kind"]
    pos_moves = kind in (THT, CIRCLE, TEXT)
    points_move = kind in (THT, ZONE, TRACK, SMD)
    if set(macro) != set(board):
        raise Fault(f"{where}: fields {sorted(set(macro) ^ set(board))} differ between the macro and the board")
    for key, value in board.items():
        got = macro[key]
        if key == "Pos":
            moved(where, got, value, d if pos_moves else [0, 0], "Pos")
        elif key == "Points":
            if len(got) != len(value):
                raise Fault(f"{where}: {len(got)} points in the macro, {len(value)} on the board")
            for k, (p, q) in enumerate(zip(got, value)):
                moved(where, p, q, d if points_move else [0, 0], f"point {k}")
        elif key == "SubElements":
            if len(got) != len(value):
                raise Fault(f"{where}: {len(got)} strokes in the macro, {len(value)} on the board")
            for k, (s, t) in enumerate(zip(got, value)):
                compare_with_board(s, t, d, f"{where} stroke {k}")
        elif key in ("Selected", "Routed"):
            if got != 0:
                raise Fault(f"{where}: {key} is {got} in the macro")
        elif key == "Connections":
            if got != []:
                raise Fault(f"{where}: connections {got} in the macro")
        elif key in ("RouteStart", "RouteEnd"):
            if got != -1:
                raise Fault(f"{where}: {key} is {got} in the macro")
        elif got != value:
            raise Fault(f"{where}: {key} is {got!r} in the macro, {value!r} on the board")


def run(cmd):
    p = subprocess.run(cmd, capture_output=True, text=True)
    if p.returncode != 0:
        raise Fault(f"{' '.join(map(str, cmd))} failed ({p.returncode}): {p.stderr.strip() or p.stdout.strip()}")
    return p.stdout


def check(cli, work, source, index):
    out = work / f"macro{index}.bmk"
    run([cli, "macro", "save", source, "--text1", TEXT1, "--text2", TEXT2, str(out), "--force"])
    data = out.read_bytes()
    version, elements, pads, text1, text2 = read_macro(data)
    for name, got, want in (("text 1", text1, TEXT1), ("text 2", text2, TEXT2)):
        if got != want.encode("cp1251")[:50]:
            raise Fault(f"{name} is {text(got)!r} in the file, {want!r} was saved")

    ref, rule = reference_point([(e["Kind"][0], e["Pos"][0], e["Points"][0]) for e in elements])
    if ref is not None and (whole(ref[0]) != 0 or whole(ref[1]) != 0):
        raise Fault(f"the reference point (rule {rule}) lies at {ref} in the macro, not at (0, 0)")

    dumped = json.loads(run([cli, "dump", str(out), "--json"]))
    if set(dumped) != {"version", "macro", "text1", "text2", "elements"}:
        raise Fault(f"the dump of the macro has the fields {sorted(dumped)}")
    if dumped["version"] != version or dumped["macro"] is not True:
        raise Fault(f"the dump says version {dumped['version']!r}, macro {dumped['macro']!r}")
    if dumped["text1"] != text(text1) or dumped["text2"] != text(text2):
        raise Fault(f"description lines {text(text1)!r}, {text(text2)!r} in the file, "
                    f"{dumped['text1']!r}, {dumped['text2']!r} in the dump")
    if len(dumped["elements"]) != len(elements):
        raise Fault(f"{len(elements)} elements in the file, {len(dumped['elements'])} in the dump")
    for i, (e, t) in enumerate(zip(elements, dumped["elements"])):
        compare_with_dump(e, t, f"element {i}")

    board = json.loads(run([cli, "dump", source, "--json"]))["elements"]
    if len(board) != len(elements):
        raise Fault(f"{len(elements)} elements in the macro, {len(board)} on the board")
    origin, board_rule = reference_point([(e["Kind"], e["Pos"], e["Points"]) for e in board])
    if board_rule != rule:
        raise Fault(f"the reference point of the board follows rule {board_rule}, that of the macro rule {rule}")
    if origin is None:  # the grid-snapped corner of the bounds is not worked out here
        raise Fault("no pad, track, zone or circle on the board: this check needs one of them")
    d = [-origin[0], -origin[1]]
    for i, (m, b) in enumerate(zip(dumped["elements"], board)):
        compare_with_board(m, b, d, f"element {i}")

    kinds = sorted({e["Kind"][0] for e in elements})
    strokes = sum(len(e["SubElements"][0]) for e in elements)
    labels = sum(1 for e in elements if "Package" in e)
    print(f"{source}: {len(elements)} elements (kinds {kinds}, {strokes} strokes, {labels} ID labels), "
          f"{pads} pads, {len(data)} bytes; reference point (rule {rule}) at board ({origin[0]:g}, {origin[1]:g}); "
          f"file, dump and board agree")


def main():
    ap = argparse.ArgumentParser(description="Reads saved macro files independently and compares them.")
    ap.add_argument("--cli", required=True, help="the boardsmith-cli program")
    ap.add_argument("--work", required=True, help="folder for the macro files")
    ap.add_argument("sources", nargs="+", help="project files (.bsm6)")
    a = ap.parse_args()
    work = pathlib.Path(a.work)
    work.mkdir(parents=True, exist_ok=True)
    for i, source in enumerate(a.sources):
        try:
            check(a.cli, work, source, i)
        except Fault as e:
            print(f"FAILED: {source}: {e}")
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
