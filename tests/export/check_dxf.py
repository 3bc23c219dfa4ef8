"""Reads every DXF sample with ezdxf (Debian's python3-ezdxf) and compares it
with the SVG of the same figure:
- neither the recovering reader nor the audit reports an error or a repair;
- one closed polyline per contour (POLYLINE in R12, LWPOLYLINE in R2000);
- every corner within 1e-4 mm of the SVG's, Y mirrored in the document;
- with bulges, the arc's sense and middle point as in the SVG; with segments,
  no bulge, the SVG's corners in order, the points between them on the SVG's
  arc, and no segment farther than 0.01 mm from it;
- millimetres ($INSUNITS 4, $MEASUREMENT 1) and extents 0,0 to side,side;
- the outline's colour: an index whose colour is about as near as the
  nearest of ezdxf's palette (7 counting as black or white); R2000 also the
  exact true colour.
  check_dxf.py SAMPLE_FOLDER"""

import math
import sys

from export_check_lib import (fail, read_cases, stroke_rgb, svg_arc_center, svg_arc_midpoint,
                              svg_contours)

try:
    import ezdxf
    from ezdxf import recover
    from ezdxf.colors import DXF_DEFAULT_COLORS, int2rgb
except ImportError:
    fail("missing Python module ezdxf (Debian package python3-ezdxf; scripts/test installs it)")

TOLERANCE = 1e-4
CHORD_ERROR = 0.01


# The SVG's arc radius and ends carry four decimals, so the circle drawn
# through them is known to a few ten-thousandths of a millimetre at best: a
# point of the DXF's exact arc is compared with it that closely.
ARC_TOLERANCE = 5e-4


def near(a, b, tol=TOLERANCE):
    return math.hypot(a[0] - b[0], a[1] - b[1]) <= tol


def dxf_polylines(doc, version):
    entities = list(doc.modelspace())
    wanted = "LWPOLYLINE" if version == "r2000" else "POLYLINE"
    for e in entities:
        if e.dxftype() != wanted:
            fail(f"entity {e.dxftype()}, expected only {wanted}")
    result = []
    for e in entities:
        if version == "r2000":
            closed = e.closed
            vertices = [(x, y, b) for x, y, b in e.get_points("xyb")]
        else:
            closed = e.is_closed
            vertices = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in e.vertices]
        result.append((closed, vertices, e))
    return result


def bulge_midpoint(p1, p2, b):
    """The middle of the arc of bulge b from p1 to p2, Y up."""
    dx, dy = p2[0] - p1[0], p2[1] - p1[1]
    # A positive bulge turns counter-clockwise: the arc lies to the right of
    # the chord's direction, by the sagitta b * chord / 2.
    return ((p1[0] + p2[0]) / 2 + b * dy / 2, (p1[1] + p2[1]) / 2 - b * dx / 2)


def check_bulges(label, edges, vertices, mirror):
    if len(vertices) != len(edges):
        fail(f"{label}: {len(vertices)} vertices, the SVG has {len(edges)} corners")
    for k, edge in enumerate(edges):
        x, y, b = vertices[k]
        if not near((x, y), mirror(edge.start)):
            fail(f"{label}: vertex {k} at {x}, {y}, the SVG's at {mirror(edge.start)}")
        following = edges[(k + 1) % len(edges)].start
        if edge.arc is None:
            if b != 0:
                fail(f"{label}: straight edge {k} has bulge {b}")
            continue
        r, large, sweep = edge.arc
        # SVG sweep 0 turns counter-clockwise on the page: a positive bulge.
        if (b > 0) == sweep or (abs(b) > 1) != large:
            fail(f"{label}: edge {k} bulge {b} against SVG flags large={large} sweep={sweep}")
        mid_svg, _, _ = svg_arc_midpoint(edge.start, following, r, large, sweep)
        nxt = vertices[(k + 1) % len(vertices)]
        mid = bulge_midpoint((x, y), (nxt[0], nxt[1]), b)
        if not near(mid, mirror(mid_svg), ARC_TOLERANCE):
            fail(f"{label}: edge {k} arc middle {mid}, the SVG's {mirror(mid_svg)}")


def check_segments(label, edges, vertices, mirror):
    if any(b != 0 for _, _, b in vertices):
        fail(f"{label}: a bulge in segments mode")
    points = [(x, y) for x, y, _ in vertices]
    at = 0
    for k, edge in enumerate(edges):
        if at >= len(points) or not near(points[at], mirror(edge.start)):
            fail(f"{label}: corner {k} of the SVG not found in order")
        start = at
        end = at + 1
        following = edges[(k + 1) % len(edges)].start
        while end < len(points) and not near(points[end], mirror(following)):
            end += 1
        run = points[start:end] + [points[end % len(points)] if end < len(points) else points[0]]
        if edge.arc is None:
            if len(run) != 2:
                fail(f"{label}: straight edge {k} cut into {len(run) - 1} segments")
        else:
            r, large, sweep = edge.arc
            _, c_svg, angle = svg_arc_midpoint(edge.start, following, r, large, sweep)
            c = mirror(c_svg)
            length = 0
            for p, q in zip(run, run[1:]):
                if abs(math.hypot(p[0] - c[0], p[1] - c[1]) - r) > ARC_TOLERANCE:
                    fail(f"{label}: edge {k} point {p} off the arc")
                chord = math.hypot(q[0] - p[0], q[1] - p[1])
                sagitta = r - math.sqrt(max(r * r - chord * chord / 4, 0))
                if sagitta > CHORD_ERROR + 1e-6:
                    fail(f"{label}: edge {k} segment {sagitta:.5f} mm from its arc")
                length += chord
            # The segments follow this arc, not the rest of its circle. Chords
            # within the chord error fall short of a small arc by up to a
            # third of that error per radian.
            if abs(length - r * angle) > max(1e-3 * r * angle, angle * CHORD_ERROR / 2):
                fail(f"{label}: edge {k} segments {length} long, the arc {r * angle}")
        at = end
    if at != len(points):
        fail(f"{label}: {len(points) - at} vertices after the SVG's last corner")


def check_color(label, entity, rgb, version):
    aci = entity.dxf.color

    # Index 7 draws black on paper and white on a dark screen.
    def dist(index):
        d = sum((a - b) ** 2 for a, b in zip(int2rgb(DXF_DEFAULT_COLORS[index]), rgb))
        return min(d, sum(c * c for c in rgb)) if index == 7 else d

    best = min(dist(i) for i in range(1, 256))
    if not (1 <= aci <= 255 and math.sqrt(dist(aci)) <= math.sqrt(best) + 40):
        fail(f"{label}: ACI {aci} for outline colour {rgb}")
    if version == "r2000":
        true_color = entity.dxf.get("true_color")
        if true_color is None or int2rgb(true_color) != rgb:
            fail(f"{label}: true colour {true_color} for {rgb}")


def main(folder):
    checked = 0
    for name, side, contour_count in read_cases(folder):
        with open(f"{folder}/{name}.svg") as f:
            svg = f.read()
        contours = svg_contours(svg)
        if len(contours) != contour_count:
            fail(f"{name}: the SVG has {len(contours)} contours, expected {contour_count}")

        def mirror(p):
            return (p[0], side - p[1])

        rgb = stroke_rgb(svg)
        for version in ("r12", "r2000"):
            for arcs in ("bulge", "segments"):
                label = f"{name}-{version}-{arcs}.dxf"
                # The recovering reader reports what the plain one repairs
                # silently while loading; the audit checks the loaded drawing.
                _, loading = recover.readfile(f"{folder}/{label}")
                doc = ezdxf.readfile(f"{folder}/{label}")
                auditor = doc.audit()
                for stage in (loading, auditor):
                    if stage.has_errors or stage.has_fixes:
                        fail(f"{label}: audit: {[e.message for e in stage.errors]} "
                             f"{[e.message for e in stage.fixes]}")
                expected_version = "AC1015" if version == "r2000" else "AC1009"
                if doc.dxfversion != expected_version:
                    fail(f"{label}: version {doc.dxfversion}")
                if version == "r2000" and (doc.header.get("$INSUNITS") != 4 or
                                           doc.header.get("$MEASUREMENT") != 1):
                    fail(f"{label}: not in millimetres")
                ext_min, ext_max = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
                if not (near(ext_min, (0, 0)) and near(ext_max, (side, side))):
                    fail(f"{label}: extents {ext_min} to {ext_max}, document side {side}")
                polylines = dxf_polylines(doc, version)
                if len(polylines) != len(contours):
                    fail(f"{label}: {len(polylines)} polylines for {len(contours)} contours")
                for k, ((closed, vertices, entity), edges) in enumerate(zip(polylines, contours)):
                    if not closed:
                        fail(f"{label}: polyline {k} not closed")
                    check_color(label, entity, rgb, version)
                    if arcs == "bulge":
                        check_bulges(f"{label} polyline {k}", edges, vertices, mirror)
                    else:
                        check_segments(f"{label} polyline {k}", edges, vertices, mirror)
                checked += 1
    print(f"{checked} DXF files match their SVG")


if __name__ == "__main__":
    main(sys.argv[1])
