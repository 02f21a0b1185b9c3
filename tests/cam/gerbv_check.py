#!/usr/bin/env python3
"""Checks the manufacturing files of a board with gerbv.

For every board given:
  * every Gerber file of several export variants loads in gerbv without a
    warning or error;
  * gerbv's picture of each copper, silkscreen and outline file matches the
    editor's own rendering of that layer (boardsmith-cli render);
  * the Excellon file, in every number format, puts each hole where gerbv
    puts the centre of a punched pad, mirrored or not.

Usage: gerbv_check.py --cli BOARDSMITH-CLI --gerbv GERBV --work DIR BOARD...
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from png_rows import read_png  # noqa: E402  (the tests folder holds the shared reader)

ZOOM = 0.001  # pixels per unit: 10 pixels a millimetre
DPI = ZOOM * 254000

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def run(cmd):
    return subprocess.run(cmd, capture_output=True, text=True)


def gerbv_messages(stderr, path=None):
    msgs = [l for l in stderr.splitlines() if re.search(r"CRITICAL|WARNING|ERROR", l)]
    # gerbv takes a Gerber file without any aperture (the valid empty file)
    # for the older RS-274D format, says so and reads it all the same.
    if path and "%ADD" not in open(path, encoding="latin-1").read():
        msgs = [m for m in msgs if "RS-274D" not in m]
    return msgs


def read_pixels(path):
    """A PNG as (width, height, rows of (r, g, b) tuples)."""
    width, height, rows, ch = read_png(path)
    return width, height, [[tuple(r[x * ch:x * ch + 3]) for x in range(width)] for r in rows]


def mask_of(rows, is_set, w, h):
    return [[is_set(rows[y][x]) for x in range(w)] for y in range(h)]


def mismatch(a, b, w, h):
    """Pixels of a whose value no pixel of b within one pixel shares, and the
    other way round; None in b (a pixel of the editor's picture that shows
    neither copper nor its absence) matches anything."""
    bad = 0
    for y in range(h):
        for x in range(w):
            if b[y][x] is None or a[y][x] == b[y][x]:
                continue
            for m, o in ((a, b), (b, a)):
                v = m[y][x]
                if not any(o[yy][xx] in (v, None) for yy in range(max(0, y - 1), min(h, y + 2))
                           for xx in range(max(0, x - 1), min(w, x + 2))):
                    bad += 1
                    break
    return bad


# Layer colours of the standard scheme (0x00BBGGRR) and the darkened
# ground-plane colour of each copper layer; the through-pad colour.
SCHEME = {1: 0xF96A1E, 2: 0x0000FF, 3: 0x00BA00, 4: 0x04D7E1, 5: 0x147CC2, 6: 0x62B6EE, 7: 0xFFFFFF}
THROUGH = 0xFDE351


def rgb(c, k=0.0):
    return tuple(round(((c >> s) & 255) * (1 - k)) for s in (0, 8, 16))


def picture_check(cli, gerbv, board, work, info):
    out = os.path.join(work, "pictures")
    os.makedirs(out, exist_ok=True)
    r = run([cli, "gerber", board, "--out", out, "--prefix", "p", "--no-origin", "--punch", "--force",
             "--layers", "c1,c2,s1,s2,i1,i2,o"])
    if r.returncode != 0:
        fail("gerber export for pictures: " + r.stderr)
        return
    width_mm, height_mm = info
    w, h = round(width_mm * 10), round(height_mm * 10)
    files = {1: "p_Ф1_верх.gbr", 3: "p_Ф2_низ.gbr", 2: "p_Ш1_верх.gbr", 4: "p_Ш2_низ.gbr",
             5: "p_В1_внутри1.gbr", 6: "p_В2_внутри2.gbr", 7: "p_контур.gbr"}
    for layer, name in files.items():
        gbr = os.path.join(out, name)
        theirs = os.path.join(out, "gerbv_%d.png" % layer)
        ours = os.path.join(out, "ours_%d.png" % layer)
        r = run([gerbv, "-x", "png", "-D", str(DPI), "-O", "0x0", "-w", "%dx%d" % (w, h), "-B", "0",
                 "-b", "#000000", "-f", "#FFFFFF", "-o", theirs, gbr])
        if gerbv_messages(r.stderr, gbr) or not os.path.exists(theirs):
            fail("%s: gerbv: %s" % (name, r.stderr.strip()))
            continue
        r = run([cli, "render", board, ours, "--plain", "--layers", str(layer), "--active-layer", str(layer),
                 "--zoom", str(ZOOM), "--width", str(w), "--height", str(h), "--scroll", "0,0", "--force"])
        if r.returncode != 0:
            fail("render layer %d: %s" % (layer, r.stderr))
            continue
        tw, th, trows = read_pixels(theirs)
        ow, oh, orows = read_pixels(ours)
        cw, ch = min(tw, ow, w), min(th, oh, h)
        copper = {rgb(SCHEME[layer]), rgb(SCHEME[layer], 0.4)}
        if layer in (1, 3, 5, 6):
            copper.add(rgb(THROUGH))
        a = mask_of(trows, lambda p: sum(p) > 96, cw, ch)
        # Grid lines, rubber bands and markers are drawn over copper and
        # gaps alike.
        overlay = {rgb(0x464646), rgb(0xD7D7D7), rgb(0xFFFFFF)} - copper
        b = mask_of(orows, lambda p: None if p in overlay else p in copper, cw, ch)
        bad = mismatch(a, b, cw, ch)
        share = bad / float(cw * ch)
        print("layer %d: %d of %d pixels differ (%.3f%%)" % (layer, bad, cw * ch, 100 * share))
        # Markers, rubber bands and grid lines of the editor's picture are
        # at most a few pixels wide; whole elements are far more.
        if share > 0.002:
            fail("layer %d: gerbv's picture differs from ours in %.3f%% of the pixels (%s, %s)"
                 % (layer, 100 * share, theirs, ours))


COMMON_NAMES = {"b.GTL", "b.GBL", "b.GTO", "b.GBO", "b.G1", "b.G2", "b.GKO", "b.GTS", "b.GBS", "b.GTP", "b.GBP"}


def load_check(cli, gerbv, board, work):
    variants = [[], ["--frame", "--punch"], ["--mirror", "--no-origin", "--punch", "--center-punch"],
                ["--names", "common"]]
    for k, extra in enumerate(variants):
        out = os.path.join(work, "load%d" % k)
        os.makedirs(out, exist_ok=True)
        r = run([cli, "gerber", board, "--out", out, "--prefix", "b", "--force",
                 "--layers", "c1,c2,s1,s2,i1,i2,o,mask1,mask2,smd1,smd2"] + extra)
        if r.returncode != 0:
            fail("gerber %s: %s" % (extra, r.stderr))
            continue
        written = set(os.listdir(out))
        if "common" in extra and written != COMMON_NAMES:
            fail("--names common wrote %s instead of %s" % (sorted(written), sorted(COMMON_NAMES)))
        for name in sorted(written):
            r = run([gerbv, "-x", "png", "-o", os.path.join(out, name + ".png"), os.path.join(out, name)])
            msgs = gerbv_messages(r.stderr, os.path.join(out, name))
            if msgs:
                fail("%s %s: %s" % (name, extra, msgs[0]))


def punched_centres(path):
    """Centres of the pads punched at the end of a copper file, in mm."""
    sizes, size, centres, punching, at = {}, 0.0, [], False, None
    for line in open(path, encoding="latin-1").read().splitlines():
        m = re.match(r"%ADD(\d+)C,([-0-9.]+)\*%", line)
        if m:
            sizes[m.group(1)] = float(m.group(2))
        if line == "%LNAUGENFREISTANZEN*%":
            punching = True
        m = re.match(r"G54D(\d+)\*", line)
        if m:
            size = sizes.get(m.group(1), 0.0)
        m = re.match(r"X(-?\d+)Y(-?\d+)D02\*", line)
        if m:
            at = (int(m.group(1)) / 10000.0, int(m.group(2)) / 10000.0)
        if punching and line == "D03*" and size > 0:
            centres.append(at)
    return centres


def gerbv_holes(gerbv, drl, work):
    """The holes gerbv reads from a drill file, in mm."""
    norm = os.path.join(work, "normalised.drl")
    if os.path.exists(norm):
        os.remove(norm)
    r = run([gerbv, "-x", "drill", "-o", norm, drl])
    msgs = gerbv_messages(r.stderr)
    if msgs or not os.path.exists(norm):
        return None, msgs or ["no output"]
    text = open(norm, encoding="latin-1").read()
    assert "INCH,TZ" in text, text[:200]
    holes = [(int(x) / 10000.0 * 25.4, int(y) / 10000.0 * 25.4)
             for x, y in re.findall(r"^X(-?\d+)Y(-?\d+)", text, re.M)]
    return holes, []


def drill_check(cli, gerbv, board, work):
    out = os.path.join(work, "drill")
    os.makedirs(out, exist_ok=True)
    for mirror in (False, True):
        r = run([cli, "gerber", board, "--out", out, "--prefix", "m", "--punch", "--force", "--layers", "c1,c2"]
                + (["--mirror"] if mirror else []))
        if r.returncode != 0:
            fail("gerber for drill check: " + r.stderr)
            return
        pads = set()
        for name in ("m_Ф1_верх.gbr", "m_Ф2_низ.gbr"):
            pads.update(punched_centres(os.path.join(out, name)))
        for fmt, tol in (("mm32", 0.006), ("mm33", 0.006), ("inch24", 0.014)):
            for opts in ([], ["--no-leading-zeros"], ["--decimal-point"], ["--no-leading-zeros", "--decimal-point"],
                         ["--m71"], ["--m71", "--no-leading-zeros", "--no-comments"]):
                drl = os.path.join(out, "h.drl")
                r = run([cli, "excellon", board, drl, "--format", fmt, "--force"] + opts
                        + (["--mirror", "gerber"] if mirror else []))
                what = "%s %s%s" % (fmt, " ".join(opts), " mirrored" if mirror else "")
                if r.returncode != 0:
                    fail("excellon %s: %s" % (what, r.stderr))
                    continue
                holes, msgs = gerbv_holes(gerbv, drl, out)
                if holes is None:
                    fail("excellon %s: gerbv: %s" % (what, msgs[0]))
                    continue
                if not holes:
                    fail("excellon %s: gerbv read no hole" % what)
                for hx, hy in holes:
                    if not any(abs(hx - px) <= tol and abs(hy - py) <= tol for px, py in pads):
                        fail("excellon %s: hole at (%.4f, %.4f) mm lies on no pad centre" % (what, hx, hy))
                        break
                for px, py in pads:
                    if not any(abs(hx - px) <= tol and abs(hy - py) <= tol for hx, hy in holes):
                        fail("excellon %s: pad at (%.4f, %.4f) mm has no hole" % (what, px, py))
                        break
        print("drill check%s: %d pads" % (" (mirrored)" if mirror else "", len(pads)))


def board_size(cli, board):
    r = run([cli, "info", board])
    m = re.search(r": ([0-9.]+) x ([0-9.]+) mm", r.stdout)
    return float(m.group(1)), float(m.group(2))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--cli", required=True)
    p.add_argument("--gerbv", default="gerbv")
    p.add_argument("--work", required=True)
    p.add_argument("boards", nargs="+")
    a = p.parse_args()
    shutil.rmtree(a.work, ignore_errors=True)
    for board in a.boards:
        work = os.path.join(a.work, os.path.splitext(os.path.basename(board))[0])
        os.makedirs(work)
        print("== " + board)
        load_check(a.cli, a.gerbv, board, work)
        picture_check(a.cli, a.gerbv, board, work, board_size(a.cli, board))
        drill_check(a.cli, a.gerbv, board, work)
    print("%d problem(s) found" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
