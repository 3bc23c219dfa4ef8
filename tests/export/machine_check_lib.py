"""Helpers of the machine files' checks: the SVG's contours in the machine's
frame (mm, Y up), closeness to them, and which contour holds which."""

import math

from export_check_lib import fail, svg_arc_center, svg_arc_midpoint, svg_contours


def read_machine_cases(folder):
    """(file, case, {key: value}) of every machine sample with options."""
    cases = []
    with open(f"{folder}/machine.txt") as f:
        for line in f:
            file, case, *keys = line.split()
            cases.append((file, case, dict(k.split("=") for k in keys)))
    return cases


class Edge:
    """An edge of a contour in the machine's frame: from start, straight
    (centre None) or an arc about centre, clockwise when cw."""

    def __init__(self, start, end, centre=None, cw=False):
        self.start, self.end, self.centre, self.cw = start, end, centre, cw


def figure_contours(svg_text, side, origin=0, mirror=False):
    """The SVG's contours as lists of Edge in the machine's frame: Y up from
    the document's bottom-left corner (or its centre), mirrored left to
    right when asked."""
    shift = side / 2 if origin else 0

    def to_machine(p):
        x = side - p[0] if mirror else p[0]
        return (x - shift, side - p[1] - shift)

    result = []
    for edges in svg_contours(svg_text):
        contour = []
        for k, e in enumerate(edges):
            nxt = edges[(k + 1) % len(edges)].start
            if e.arc is None:
                contour.append(Edge(to_machine(e.start), to_machine(nxt)))
                continue
            r, large, sweep = e.arc
            c = svg_arc_center(e.start, nxt, r, large, sweep)
            # sweep 1 turns clockwise on the page; Y up keeps the picture,
            # so it is clockwise in the machine's frame, unless mirrored.
            contour.append(Edge(to_machine(e.start), to_machine(nxt), to_machine(c),
                                bool(sweep) != mirror))
        result.append(contour)
    return result


def arc_points(edge, steps):
    """Points along an arc edge, its ends included."""
    cx, cy = edge.centre
    a1 = math.atan2(edge.start[1] - cy, edge.start[0] - cx)
    a2 = math.atan2(edge.end[1] - cy, edge.end[0] - cx)
    r = math.hypot(edge.start[0] - cx, edge.start[1] - cy)
    delta = a2 - a1
    if edge.cw:
        while delta >= 0:
            delta -= 2 * math.pi
    else:
        while delta <= 0:
            delta += 2 * math.pi
    return [(cx + r * math.cos(a1 + delta * i / steps), cy + r * math.sin(a1 + delta * i / steps))
            for i in range(steps + 1)]


def polyline(contour, steps=64):
    """The contour as a closed list of points, arcs finely cut."""
    points = []
    for e in contour:
        if e.centre is None:
            points.append(e.start)
        else:
            points.extend(arc_points(e, steps)[:-1])
    return points


def distance_to_edge(p, e):
    """How far p lies from the edge (an arc's circle where p lies within the
    arc's angle, else the nearer end)."""
    if e.centre is None:
        (ax, ay), (bx, by) = e.start, e.end
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0 if length2 == 0 else max(0, min(1, ((p[0] - ax) * dx + (p[1] - ay) * dy) / length2))
        return math.hypot(p[0] - ax - t * dx, p[1] - ay - t * dy)
    pts = arc_points(e, 256)
    r = math.hypot(e.start[0] - e.centre[0], e.start[1] - e.centre[1])
    nearest = min(pts, key=lambda q: math.hypot(q[0] - p[0], q[1] - p[1]))
    # Near the arc: the exact distance to its circle.
    if math.hypot(nearest[0] - p[0], nearest[1] - p[1]) < 2 * math.pi * r / 256 + 0.05:
        return min(abs(math.hypot(p[0] - e.centre[0], p[1] - e.centre[1]) - r),
                   math.hypot(nearest[0] - p[0], nearest[1] - p[1]))
    return math.hypot(nearest[0] - p[0], nearest[1] - p[1])


def inside(points, p):
    """Non-zero winding of the closed polyline around p."""
    winding = 0
    for i, a in enumerate(points):
        b = points[(i + 1) % len(points)]
        cross = (b[0] - a[0]) * (p[1] - a[1]) - (p[0] - a[0]) * (b[1] - a[1])
        if a[1] <= p[1]:
            if b[1] > p[1] and cross > 0:
                winding += 1
        elif b[1] <= p[1] and cross < 0:
            winding -= 1
    return winding != 0


def area(points):
    return abs(sum(a[0] * b[1] - b[0] * a[1]
                   for a, b in zip(points, points[1:] + points[:1]))) / 2


def check_holes_first(label, cut):
    """Every contour that lies inside another was cut before it; cut is the
    list of closed polylines in the order of the file."""
    for i, outer in enumerate(cut):
        for j in range(i + 1, len(cut)):
            inner = cut[j]
            if area(inner) < area(outer) and all(inside(outer, p) for p in inner[::max(1, len(inner) // 8)]):
                fail(f"{label}: contour {j + 1} lies inside contour {i + 1} but is cut after it")


def match_contour(label, points, figure, tolerance):
    """The figure's contour that the cut polyline follows: every point of it
    within tolerance of that contour and every corner of that contour
    passed within tolerance. Returns its index."""
    for index, contour in enumerate(figure):
        if all(min(distance_to_edge(p, e) for e in contour) <= tolerance for p in points) and \
           all(min(math.hypot(p[0] - e.start[0], p[1] - e.start[1]) for p in points) <= tolerance
               for e in contour):
            return index
    fail(f"{label}: a cut contour starting at {points[0]} follows no contour of the figure")
