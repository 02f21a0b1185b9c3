#!/usr/bin/env python3
"""Writes pictures of a board with boardsmith-cli picture and checks them with
ImageMagick's identify: size in pixels, depth, colours and resolution.

Usage: picture_identify.py --cli BOARDSMITH_CLI --identify IDENTIFY
                           --board FILE.bsm6 --work DIR
"""
import argparse
import os
import re
import shutil
import subprocess
import sys


def run(cmd):
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed ({r.returncode}):\n{r.stdout}{r.stderr}")
    return r.stdout


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--identify", required=True)
    ap.add_argument("--board", required=True)
    ap.add_argument("--work", required=True)
    a = ap.parse_args()
    shutil.rmtree(a.work, ignore_errors=True)
    os.makedirs(a.work)
    failures = []
    # (file, dpi, black and white, bit depth, most colours or None, resolution
    # and unit as identify reports them or None)
    cases = [
        ("c.bmp", 300, False, 8, None, ("118.11", "PixelsPerCentimeter")),
        ("b.bmp", 300, True, 1, 2, ("118.11", "PixelsPerCentimeter")),
        ("c.jpg", 600, False, 8, None, ("600", "PixelsPerInch")),
        ("b.jpg", 200, True, 8, None, ("200", "PixelsPerInch")),
        ("c.gif", 300, False, 8, 256, None),
        ("b.gif", 100, True, 8, 2, None),
    ]
    for name, dpi, bw, depth, colours, res in cases:
        out = os.path.join(a.work, name)
        extra = ["--bw"] if bw else []
        est = run([a.cli, "picture", a.board, out, "--dpi", str(dpi), "--estimate"] + extra)
        m = re.match(r"(\d+) x (\d+) pixels", est)
        if not m:
            sys.exit(f"unexpected --estimate output: {est!r}")
        run([a.cli, "picture", a.board, out, "--dpi", str(dpi)] + extra)
        got = run([a.identify, "-format", "%w %h %z %k %x %y %U\n", out]).split()
        w, h, z, k, x, y, unit = got[0], got[1], got[2], int(got[3]), got[4], got[5], got[6]
        want = f"{m.group(1)}x{m.group(2)} depth {depth}"
        if (w, h, z) != (m.group(1), m.group(2), str(depth)):
            failures.append(f"{name}: {w}x{h} depth {z}, expected {want}")
        if colours is not None and k > colours:
            failures.append(f"{name}: {k} colours, at most {colours} expected")
        if res is not None:
            if abs(float(x) - float(res[0])) > 0.01 or abs(float(y) - float(res[0])) > 0.01 or unit != res[1]:
                failures.append(f"{name}: resolution {x} x {y} {unit}, expected {res[0]} {res[1]}")
        print(f"{name}: {w}x{h} depth {z}, {k} colours, {x} x {y} {unit}")
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
