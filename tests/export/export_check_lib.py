"""Helpers of the outside checks: the sample list, the SVG's path, tools."""

import math
import re
import shutil
import sys

# The Debian package of each tool, for the message when one is missing.
PACKAGES = {
    "librecad": "librecad",
    "pdfinfo": "poppler-utils",
    "pdftoppm": "poppler-utils",
    "rsvg-convert": "librsvg2-bin",
    "compare": "imagemagick",
    "convert": "imagemagick",
    "rs274": "linuxcnc-uspace",
    "hp2xx": "hp2xx",
}


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def require_tool(name):
    path = shutil.which(name)
    if path is None:
        fail(f"missing tool '{name}' (Debian package {PACKAGES.get(name, name)}; "
             "scripts/test installs it)")
    return path


def read_cases(folder):
    """(name, document side in mm, contour count) of every sample."""
    cases = []
    with open(f"{folder}/cases.txt") as f:
        for line in f:
            name, side, contours = line.split()
            cases.append((name, float(side), int(contours)))
    if not cases:
        fail("no samples listed in cases.txt")
    return cases


class SvgEdge:
    """The edge leaving a corner: straight (arc is None) or an SVG arc
    (radius, large, sweep) towards the next corner."""

    def __init__(self, start, arc):
        self.start = start
        self.arc = arc


def svg_contours(svg_text):
    """The contours of the SVG's path as lists of SvgEdge, in SVG
    coordinates; the closing edge of a contour is the last one."""
    d = re.search(r' d="([^"]*)"', svg_text).group(1)
    tokens = re.findall(r"[MLAz]|-?\d+\.\d+|\d", d)
    contours = []
    points = []  # (point, arc that arrives at it)
    i = 0
    while i < len(tokens):
        t = tokens[i]
        if t == "M" or t == "L":
            points.append(((float(tokens[i + 1]), float(tokens[i + 2])), None))
            i += 3
        elif t == "A":
            r = float(tokens[i + 1])
            large = tokens[i + 4] == "1"
            sweep = tokens[i + 5] == "1"
            points.append(((float(tokens[i + 6]), float(tokens[i + 7])), (r, large, sweep)))
            i += 8
        elif t == "z":
            # An arc back to the first corner repeats that corner.
            closing = None
            if len(points) > 1 and points[-1][1] is not None and points[-1][0] == points[0][0]:
                closing = points.pop()[1]
            edges = []
            for k, (p, _) in enumerate(points):
                arriving = points[k + 1][1] if k + 1 < len(points) else closing
                edges.append(SvgEdge(p, arriving))
            contours.append(edges)
            points = []
            i += 1
        else:
            fail(f"unexpected path token {t!r}")
    return contours


def svg_arc_center(p1, p2, r, large, sweep):
    """The centre of the SVG arc from p1 to p2 (no rotation, rx = ry = r)."""
    mx, my = (p1[0] + p2[0]) / 2, (p1[1] + p2[1]) / 2
    dx, dy = p2[0] - p1[0], p2[1] - p1[1]
    half = math.hypot(dx, dy) / 2
    h = math.sqrt(max(r * r - half * half, 0))
    ux, uy = -dy / (2 * half), dx / (2 * half)  # the chord turned a quarter
    # The centre's side of the chord, as the SVG arc rules choose it.
    sign = 1 if large != sweep else -1
    return (mx + sign * ux * h, my + sign * uy * h)


def svg_arc_midpoint(p1, p2, r, large, sweep):
    cx, cy = svg_arc_center(p1, p2, r, large, sweep)
    a1 = math.atan2(p1[1] - cy, p1[0] - cx)
    a2 = math.atan2(p2[1] - cy, p2[0] - cx)
    delta = a2 - a1
    # sweep 1: the angle grows (clockwise on the page, Y down).
    if sweep:
        while delta <= 0:
            delta += 2 * math.pi
    else:
        while delta >= 0:
            delta -= 2 * math.pi
    mid = a1 + delta / 2
    return (cx + r * math.cos(mid), cy + r * math.sin(mid)), (cx, cy), abs(delta)


def stroke_rgb(svg_text):
    h = re.search(r"stroke:#([0-9A-F]{6})", svg_text).group(1)
    return tuple(int(h[k:k + 2], 16) for k in (0, 2, 4))


def run(args):
    """Runs a tool, failing with its output when it fails."""
    import subprocess
    result = subprocess.run(args, capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{' '.join(args)} exited with {result.returncode}: {result.stderr.strip()}")
    return result.stdout


def differing_pixels(a, b, fuzz):
    """ImageMagick's count of pixels of a and b that differ by more than fuzz
    per cent; the images must have the same size."""
    import subprocess
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", f"{fuzz}%", a, b, "null:"],
                            capture_output=True, text=True)
    if result.returncode not in (0, 1):
        fail(f"compare {a} {b}: {result.stderr.strip()}")
    return int(float(result.stderr.split()[0]))


def svg_rendering(svg, png, dpi):
    """The SVG drawn by librsvg on white at the resolution."""
    require_tool("rsvg-convert")
    run(["rsvg-convert", "-b", "white", "-d", str(dpi), "-p", str(dpi), svg, "-o", png])


def image_size(png):
    return tuple(int(v) for v in run(["identify", "-format", "%w %h", png]).split())
