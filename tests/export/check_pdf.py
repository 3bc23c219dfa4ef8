"""Checks every PDF sample from outside:
- pdfinfo reports one page of exactly side × 72 / 25.4 points (±0.01);
- pdftoppm's rendering at 96 dpi shows the picture that librsvg draws from
  the SVG at 96 dpi. At most 40 pixels may differ by more than 30 %: poppler
  and cairo spread edges over their pixels a little differently (a few per
  cent of the edge pixels differ slightly, which the 30 % leaves out), and
  where an arc meets a line in a mitred join the two libraries take the
  arc's end direction from different curve approximations, so a join near
  the miter limit can come out mitred in one and bevelled in the other, a
  handful of pixels, more where many arcs meet lines (the filleted {7/3}
  has 28 such joins and differs in 26 pixels). A wrong fill, fill rule, colour, width or join differs
  in hundreds.
  check_pdf.py SAMPLE_FOLDER"""

import re
import sys
import tempfile

from export_check_lib import (differing_pixels, fail, image_size, read_cases, require_tool, run,
                              svg_rendering)

MAX_DIFFERING = 40
FUZZ = 30


def main(folder):
    for tool in ("pdfinfo", "pdftoppm", "rsvg-convert", "compare", "identify"):
        require_tool(tool if tool != "identify" else "compare")
    with tempfile.TemporaryDirectory() as scratch:
        for name, side, _ in read_cases(folder):
            pdf = f"{folder}/{name}.pdf"
            info = run(["pdfinfo", pdf])
            if not re.search(r"^Pages:\s+1$", info, re.M):
                fail(f"{name}.pdf: not one page:\n{info}")
            size = re.search(r"^Page size:\s+([\d.]+) x ([\d.]+) pts", info, re.M)
            expected = side * 72 / 25.4
            if size is None or any(abs(float(v) - expected) > 0.01 for v in size.groups()):
                fail(f"{name}.pdf: page {size and size.groups()}, expected {expected:.3f} pt")
            if not re.search(r"^Creator:\s+Polygrav$", info, re.M):
                fail(f"{name}.pdf: creator not named:\n{info}")

            rendered = f"{scratch}/{name}-pdf.png"
            run(["pdftoppm", "-r", "96", "-png", "-singlefile", pdf, rendered[:-4]])
            reference = f"{scratch}/{name}-svg.png"
            svg_rendering(f"{folder}/{name}.svg", reference, 96)
            if image_size(rendered) != image_size(reference):
                fail(f"{name}.pdf: rendered {image_size(rendered)}, the SVG "
                     f"{image_size(reference)}")
            differing = differing_pixels(rendered, reference, FUZZ)
            if differing > MAX_DIFFERING:
                fail(f"{name}.pdf: {differing} pixels differ from the SVG's by more than "
                     f"{FUZZ} %")
    print(f"{len(read_cases(folder))} PDF files show their SVG")


if __name__ == "__main__":
    main(sys.argv[1])
