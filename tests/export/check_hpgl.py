"""Checks every HPGL sample from outside:
- the file begins IN; SP1; (VS when a speed is set) and ends PU; SP0;
- each contour is a PU to its start and PD through whole plotter units (40
  a mm); it is closed (its start point recurs exactly), and with an overcut
  goes on past its start by that length along its own path;
- every point lies within 0.03 mm of the SVG's contour (0.01 mm of chords
  and half a plotter unit of rounding), every corner of it is passed, every
  contour of the figure is cut once and one inside another before it; the
  plotted extents are the figure's within 0.03 mm;
- hp2xx renders the file, and its picture is the SVG's outline drawn by
  librsvg at the same scale (96 dpi): hp2xx draws aliased lines a pixel or
  two off librsvg's antialiased ones (and its scale is a few pixels larger
  on the largest sample), so each dark pixel of one picture
  must lie within 3 pixels of a dark pixel of the other. A contour missing,
  misplaced or mirrored by a millimetre fails.
  check_hpgl.py SAMPLE_FOLDER"""

import math
import re
import sys
import tempfile

from export_check_lib import fail, read_cases, require_tool, run
from machine_check_lib import (check_holes_first, figure_contours, match_contour, polyline,
                               read_machine_cases)

UNITS = 40
TOLERANCE = 0.03
EXTENTS = 0.03
PIXELS = 3


def parse(label, text, speed):
    instructions = [i.strip() for i in text.split(";") if i.strip()]
    head = ["IN", "SP1"] + ([f"VS{speed}"] if speed else [])
    if instructions[:len(head)] != head:
        fail(f"{label}: begins {instructions[:len(head)]}, expected {head}")
    if instructions[-2:] != ["PU", "SP0"]:
        fail(f"{label}: ends {instructions[-2:]}, expected PU, SP0")
    contours = []
    for ins in instructions[len(head):-2]:
        m = re.fullmatch(r"(PU|PD)(-?\d+(?:,-?\d+)*)", ins)
        if not m:
            fail(f"{label}: unexpected instruction {ins!r}")
        values = [int(v) for v in m.group(2).split(",")]
        points = list(zip(values[::2], values[1::2]))
        if m.group(1) == "PU":
            if len(points) != 1:
                fail(f"{label}: PU with {len(points)} points")
            contours.append(points)
        else:
            if not contours:
                fail(f"{label}: PD before any PU")
            contours[-1].extend(points)
    return contours


def closed_part(label, points, overcut):
    """The contour up to where it comes back to its start; the overcut
    after it must be as long as asked."""
    if overcut == 0:
        if points[-1] != points[0] or len(points) < 3:
            fail(f"{label}: the contour from {points[0]} is not closed")
        return points
    try:
        back = points.index(points[0], 1)
    except ValueError:
        fail(f"{label}: the contour from {points[0]} never comes back to its start")
    rest = points[back:]
    length = sum(math.dist(a, b) for a, b in zip(rest, rest[1:])) / UNITS
    if abs(length - overcut) > 0.05:
        fail(f"{label}: overcut of {length:.3f} mm, expected {overcut}")
    return points[:back + 1]


def dark_pixels(png):
    """The pixels darker than mid-grey, read through ImageMagick as PGM."""
    import subprocess
    data = subprocess.run(["convert", png, "-colorspace", "gray", "-depth", "8", "pgm:-"],
                          capture_output=True, check=True).stdout
    header = data.split(maxsplit=4)
    width, height = int(header[1]), int(header[2])
    pixels = header[4]
    return {(i % width, i // width) for i, v in enumerate(pixels[:width * height]) if v < 128}


def check_rendering(label, folder, scratch, file, case, side, mirror):
    svg = open(f"{folder}/{case}.svg").read()
    outline = re.sub(r'style="[^"]*"', 'style="fill:none; stroke:#000000; stroke-width:0.3"', svg)
    if mirror:
        outline = outline.replace("<path ", f'<path transform="translate({side} 0) scale(-1 1)" ')
    with open(f"{scratch}/outline.svg", "w") as f:
        f.write(outline)
    run(["rsvg-convert", "-b", "white", "-d", "96", "-p", "96", f"{scratch}/outline.svg", "-o",
         f"{scratch}/svg.png"])
    size = run(["identify", "-format", "%wx%h", f"{scratch}/svg.png"]).strip()
    u = f"{side * UNITS:g}"
    run(["hp2xx", "-q", "-m", "png", "-d", "96", "-p", "1", "-x", "0", "-X", u, "-y", "0", "-Y", u,
         "-w", f"{side:g}", "-h", f"{side:g}", "-f", f"{scratch}/hp.png", f"{folder}/{file}"])
    # hp2xx maps the range onto the page at the resolution and adds a few
    # pixels at the right and bottom edges, which are cut off.
    run(["convert", f"{scratch}/hp.png", "-crop", f"{size}+0+0", "+repage",
         f"{scratch}/hp-sized.png"])
    a, b = dark_pixels(f"{scratch}/hp-sized.png"), dark_pixels(f"{scratch}/svg.png")
    if bool(a) != bool(b):
        fail(f"{label}: hp2xx drew {len(a)} dark pixels, librsvg {len(b)}")
    offsets = [(dx, dy) for dx in range(-PIXELS, PIXELS + 1) for dy in range(-PIXELS, PIXELS + 1)]
    for one, other, name in ((a, b, "hp2xx"), (b, a, "librsvg")):
        stray = [p for p in one if not any((p[0] + dx, p[1] + dy) in other for dx, dy in offsets)]
        if len(stray) > 0:
            fail(f"{label}: {len(stray)} pixels drawn by {name} only, e.g. {stray[0]}")


def check_file(folder, scratch, file, case, side, count, options):
    label = file
    overcut = float(options.get("overcut", 0))
    mirror = options.get("mirror") == "1"
    with open(f"{folder}/{file}") as f:
        contours = parse(label, f.read(), options.get("speed"))
    with open(f"{folder}/{case}.svg") as f:
        figure = figure_contours(f.read(), side, 0, mirror)
    if len(contours) != count:
        fail(f"{label}: {len(contours)} contours, the figure has {count}")
    cut, seen = [], set()
    for points in contours:
        closed = closed_part(label, points, overcut)
        mm = [(x / UNITS, y / UNITS) for x, y in points]
        index = match_contour(label, mm, figure, TOLERANCE)
        if index in seen:
            fail(f"{label}: contour {index + 1} of the figure cut twice")
        seen.add(index)
        cut.append([(x / UNITS, y / UNITS) for x, y in closed])
    check_holes_first(label, cut)
    if count:
        plotted = [p for c in cut for p in c]
        drawn = [p for c in figure for p in polyline(c, 512)]
        for axis in (0, 1):
            for pick in (min, max):
                got, want = pick(p[axis] for p in plotted), pick(p[axis] for p in drawn)
                if abs(got - want) > EXTENTS:
                    fail(f"{label}: plotted extent {got:.4f} mm, the figure's {want:.4f} mm")
    check_rendering(label, folder, scratch, file, case, side, mirror)


def main(folder):
    for tool in ("hp2xx", "rsvg-convert", "convert"):
        require_tool(tool)
    cases = {name: (side, count) for name, side, count in read_cases(folder)}
    machine = [c for c in read_machine_cases(folder) if c[0].endswith(".plt")]
    with tempfile.TemporaryDirectory() as scratch:
        for name, (side, count) in cases.items():
            check_file(folder, scratch, f"{name}.plt", name, side, count, {})
        for file, case, options in machine:
            side, count = cases[case]
            check_file(folder, scratch, file, case, side, count, options)
    print(f"{len(cases) + len(machine)} HPGL files rendered by hp2xx follow their SVG")


if __name__ == "__main__":
    main(sys.argv[1])
