"""Reads every G-code sample with LinuxCNC's standalone interpreter rs274
(Debian's linuxcnc-uspace) and replays the canonical moves it prints:
- the interpreter reads the file without an error;
- the cutting moves form closed contours, each the figure's contour of the
  SVG: with arcs, the same corners within 0.001 mm and every arc an arc
  about the SVG's centre (within 0.005 mm, the SVG's four decimals) in the
  SVG's sense; with segments, straight moves only, every point within
  0.011 mm of the SVG's contour and every corner passed;
- every contour of the figure is cut, once a pass, and a contour that lies
  inside another is cut before it;
- a laser's beam is off on every travel and on at the chosen power on every
  cut, with no Z move; a router travels only at its safe height and cuts
  each pass deeper down to passes × depth.
  check_gcode.py SAMPLE_FOLDER"""

import math
import re
import subprocess
import sys

from export_check_lib import fail, read_cases, require_tool
from machine_check_lib import (Edge, check_holes_first, figure_contours, match_contour,
                               polyline, read_machine_cases)

CORNER = 1e-3
CENTRE = 5e-3
SEGMENTS = 0.011

CALL = re.compile(r"^\s*\d+\s+N\.+\s+([A-Z_]+)\((.*)\)\s*$")


def canonical_moves(path):
    result = subprocess.run(["rs274", "-g", path], capture_output=True, text=True,
                            stdin=subprocess.DEVNULL)
    errors = [line for line in result.stderr.splitlines() if line.strip() not in ("", "executing")]
    if result.returncode != 0 or errors:
        fail(f"rs274 {path} exited with {result.returncode}: {' / '.join(errors)}")
    calls = []
    for line in result.stdout.splitlines():
        m = CALL.match(line)
        if m:
            args = [a.strip() for a in m.group(2).split(",")] if m.group(2) else []
            calls.append((m.group(1), args))
    return calls


def near(a, b, tol):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= tol


def replay(label, calls, options):
    """The cut paths (lists of Edge) in the order of the file, each closed."""
    router = float(options.get("depth", 0)) > 0
    safez = float(options.get("safez", 5))
    power = float(options.get("power", 1000))
    passes = int(options.get("passes", 1))
    laser_call = "START_SPINDLE_COUNTERCLOCKWISE" if options.get("laser", "1") == "1" \
        else "START_SPINDLE_CLOCKWISE"
    if router:
        laser_call = "START_SPINDLE_CLOCKWISE"
    pos = (0.0, 0.0, 0.0)
    on = False
    speed = 0.0
    paths, current, deepest = [], None, 0.0

    def close_if_back():
        nonlocal current
        if current and near(pos, current[0].start, CORNER):
            paths.append(current)
            current = None

    for name, args in calls:
        if name == "SET_SPINDLE_SPEED":
            speed = float(args[1])
        elif name.startswith("START_SPINDLE"):
            if name != laser_call:
                fail(f"{label}: {name}, expected {laser_call}")
            on = True
        elif name == "STOP_SPINDLE_TURNING":
            on = False
        elif name == "STRAIGHT_TRAVERSE":
            to = tuple(float(v) for v in args[:3])
            if current:
                fail(f"{label}: a travel leaves the contour from {current[0].start} open")
            if router:
                moves_xy = not near(pos, to, 1e-9)
                if moves_xy and (pos[2] < safez - 1e-4 or to[2] < safez - 1e-4):
                    fail(f"{label}: travel to {to} below the safe height {safez}")
            elif on:
                fail(f"{label}: travel to {to} with the beam on")
            pos = to
        elif name in ("STRAIGHT_FEED", "ARC_FEED"):
            if not on:
                fail(f"{label}: a cut with the beam or spindle off")
            if abs(speed - power) > 1e-6:
                fail(f"{label}: power {speed}, expected {power}")
            if name == "STRAIGHT_FEED":
                to = tuple(float(v) for v in args[:3])
                edge = Edge(pos[:2], to[:2])
            else:
                to = (float(args[0]), float(args[1]), float(args[5]))
                edge = Edge(pos[:2], to[:2], (float(args[2]), float(args[3])), int(args[4]) < 0)
            if not router and (to[2] != 0 or pos[2] != 0):
                fail(f"{label}: a laser's file moves Z")
            if near(pos, to, 1e-9) and to[2] != pos[2]:
                # A plunge: the next pass starts here.
                if current:
                    fail(f"{label}: a plunge inside an open contour")
                deepest = min(deepest, to[2])
                pos = to
                continue
            if current is None:
                current = []
            current.append(edge)
            pos = to
            close_if_back()
    if current:
        fail(f"{label}: the last contour is left open")
    if router and abs(deepest + passes * float(options["depth"])) > 1e-4:
        fail(f"{label}: the deepest pass is {deepest}, expected {-passes * float(options['depth'])}")
    return paths


def check_arcs(label, path, contour):
    if len(path) != len(contour):
        fail(f"{label}: {len(path)} moves for a contour of {len(contour)} edges")
    for k, (cut, edge) in enumerate(zip(path, contour)):
        if not near(cut.start, edge.start, CORNER):
            fail(f"{label}: corner {k} at {cut.start}, the SVG's at {edge.start}")
        if (cut.centre is None) != (edge.centre is None):
            fail(f"{label}: edge {k} is {'straight' if cut.centre is None else 'an arc'} "
                 "unlike the SVG's")
        if edge.centre is not None:
            if not near(cut.centre, edge.centre, CENTRE) or cut.cw != edge.cw:
                fail(f"{label}: arc {k} about {cut.centre} cw={cut.cw}, the SVG's about "
                     f"{edge.centre} cw={edge.cw}")


def check_file(folder, file, case, side, count, options, segments):
    label = file
    with open(f"{folder}/{case}.svg") as f:
        figure = figure_contours(f.read(), side, int(options.get("origin", 0)))
    paths = replay(label, canonical_moves(f"{folder}/{file}"), options)
    passes = int(options.get("passes", 1))
    if len(paths) != count * passes:
        fail(f"{label}: {len(paths)} contours cut, expected {count} × {passes} passes")
    cut_order, seen = [], set()
    for n, path in enumerate(paths):
        if segments:
            if any(e.centre is not None for e in path):
                fail(f"{label}: an arc move in a file of segments")
            index = match_contour(label, [e.start for e in path], figure, SEGMENTS)
        else:
            starts = [i for i, c in enumerate(figure) if near(c[0].start, path[0].start, CORNER)]
            if not starts:
                fail(f"{label}: a contour starts at {path[0].start}, no corner of the SVG's")
            index = starts[0]
            check_arcs(f"{label} contour {n + 1}", path, figure[index])
        if n % passes == 0:
            cut_order.append(polyline(figure[index]))
            seen.add(index)
        elif index != max(seen) and index not in seen:
            fail(f"{label}: pass {n % passes + 1} cuts another contour")
    if len(seen) != count:
        fail(f"{label}: {count - len(seen)} contours of the figure are not cut")
    check_holes_first(label, cut_order)


def main(folder):
    require_tool("rs274")
    cases = {name: (side, count) for name, side, count in read_cases(folder)}
    for name, (side, count) in cases.items():
        check_file(folder, f"{name}.gcode", name, side, count, {}, False)
        check_file(folder, f"{name}-segments.gcode", name, side, count, {}, True)
    machine = [c for c in read_machine_cases(folder) if c[0].endswith(".gcode")]
    for file, case, options in machine:
        side, count = cases[case]
        check_file(folder, file, case, side, count, options, False)
    print(f"{2 * len(cases) + len(machine)} G-code files read by rs274 follow their SVG")


if __name__ == "__main__":
    main(sys.argv[1])
