#!/usr/bin/python3
"""Placement points against gerbv.

For every component that is not rotated, centres on its copper and has no
offset, the placement point written by `boardsmith-cli pnp` must be the
centre of its pads as gerbv reads them from our copper Gerber files (made
with the same origin): gerbv re-exports each file in its own canonical
RS-274X, in which every pad is a flash (centre and aperture) or a region
(outline), and the pads' extents are united.
"""
import argparse
import json
import pathlib
import re
import subprocess
import sys

MM_PER_INCH = 25.4


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def gerbv_shapes(gerbv, path, work):
    """Flashes (x, y, half width, half height) and region boxes, in mm."""
    out = work / (path.stem + ".norm.gbr")
    subprocess.run([gerbv, "-x", "rs274x", "-o", str(out), str(path)], check=True, capture_output=True)
    text = out.read_text(encoding="latin-1")
    digits = 6
    m = re.search(r"%FSLAX(\d)(\d)Y", text)
    if m:
        digits = int(m.group(2))
    inch = "%MOIN" in text
    scale = (MM_PER_INCH if inch else 1.0) / 10 ** digits
    unit = MM_PER_INCH if inch else 1.0
    apertures = {}
    for code, shape, params in re.findall(r"%ADD(\d+)([CRO]),([^*]*)\*%", text):
        p = [float(v) * unit for v in params.split("X")]
        apertures[int(code)] = (p[0] / 2, p[0] / 2) if shape == "C" else (p[0] / 2, p[1] / 2)
    shapes = []
    current = None
    region = None
    x = y = 0.0
    for block in text.split("*"):
        block = block.strip()
        if block == "G36":
            region = []
            continue
        if block == "G37":
            if region:
                xs = [p[0] for p in region]
                ys = [p[1] for p in region]
                shapes.append(((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2,
                               (max(xs) - min(xs)) / 2, (max(ys) - min(ys)) / 2))
            region = None
            continue
        d = re.search(r"D(\d+)$", block)
        g54 = re.match(r"G54D(\d+)$", block)
        if g54:
            current = int(g54.group(1))
            continue
        mx = re.search(r"X(-?\d+)", block)
        my = re.search(r"Y(-?\d+)", block)
        if mx:
            x = int(mx.group(1)) * scale
        if my:
            y = int(my.group(1)) * scale
        if region is not None and (mx or my):
            region.append((x, y))
        elif d and d.group(1) == "03" and current in apertures:
            hw, hh = apertures[current]
            shapes.append((x, y, hw, hh))
    return shapes


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--gerbv", default="gerbv")
    ap.add_argument("--work", required=True)
    ap.add_argument("board")
    a = ap.parse_args()
    work = pathlib.Path(a.work)
    work.mkdir(parents=True, exist_ok=True)
    for old in work.glob("*"):
        old.unlink()

    run(a.cli, "gerber", a.board, "--out", str(work), "--layers", "c1,c2", "--force")
    shapes = []
    for g in sorted(work.glob("*.gbr")):
        if not g.name.endswith(".norm.gbr"):
            shapes += gerbv_shapes(a.gerbv, g, work)

    pnp = work / "pnp.txt"
    run(a.cli, "pnp", a.board, str(pnp), "--columns", "id,position", "--separator", "comma", "--decimals", "4",
        "--types", "smd,tht", "--force")
    points = {}
    for line in pnp.read_bytes().decode("cp1251").splitlines():
        if line.startswith("*") or not line:
            continue
        ident, px, py = line.split(",")
        if px != "---":
            points[ident] = (float(px), float(py))

    dump = json.loads(run(a.cli, "dump", a.board, "--json"))
    elements = dump["elements"]
    # The zero point, as the Gerber file and the list use it.
    info = json.loads(run(a.cli, "info", a.board, "--json"))
    board = info["boards"][info.get("active_board", 0)]
    ox = board.get("origin", [0, 0])[0] / 10000.0
    oy = board.get("origin", [0, 0])[1] / 10000.0

    checked = 0
    for label in elements:
        if not (label.get("LabelRole", 0) & 1) or label.get("ComponentNo", 0) == 0:
            continue
        if label.get("PlaceRotation", 0) % 90 != 0 or label.get("PlaceCentre", 0) != 0:
            continue
        if label.get("PlaceOffsetX", 0) != 0 or label.get("PlaceOffsetY", 0) != 0:
            continue
        if label["Text"] not in points:
            continue
        no = label["ComponentNo"]
        copper = [e for e in elements if e.get("ComponentNo") == no and e["Kind"] != 7 and e["Layer"] in (1, 3, 5, 6)]
        if not copper or any(e["Kind"] not in (2, 8) for e in copper):
            continue  # only components whose copper is pads
        boxes = []
        for pad in copper:
            px = pad["Pos"][0] / 10000.0 - ox
            py = pad["Pos"][1] / 10000.0 - oy
            near = [s for s in shapes if abs(s[0] - px) < 0.01 and abs(s[1] - py) < 0.01]
            if not near:
                print(f"{label['Text']}: no pad in the Gerber files at ({px:.4f}, {py:.4f})")
                return 1
            s = max(near, key=lambda s: s[2] * s[3])
            boxes.append((s[0] - s[2], s[1] - s[3], s[0] + s[2], s[1] + s[3]))
        cx = (min(b[0] for b in boxes) + max(b[2] for b in boxes)) / 2
        cy = (min(b[1] for b in boxes) + max(b[3] for b in boxes)) / 2
        got = points[label["Text"]]
        if abs(got[0] - cx) > 0.002 or abs(got[1] - cy) > 0.002:
            print(f"{label['Text']}: placement point {got}, pads centred at ({cx:.4f}, {cy:.4f})")
            return 1
        checked += 1
    if checked < 3:
        print(f"only {checked} component(s) could be checked")
        return 1
    print(f"{checked} placement points agree with gerbv's pads")
    return 0


if __name__ == "__main__":
    sys.exit(main())
