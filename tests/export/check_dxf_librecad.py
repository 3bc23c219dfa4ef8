"""Opens every DXF sample in LibreCAD (Debian's librecad) without a display:
`librecad dxf2pdf` prints each drawing, fitted to the page, to a PDF of one
page, and that page shows the drawing (it holds dark pixels) unless the
figure has no contour.
  check_dxf_librecad.py SAMPLE_FOLDER"""

import glob
import os
import re
import subprocess
import sys
import tempfile

from export_check_lib import fail, read_cases, require_tool, run


def darkest(png):
    """The darkest grey of the image, 0 (black) to 1 (white)."""
    value = run(["convert", png, "-colorspace", "gray", "-format", "%[fx:minima]", "info:"])
    return float(value)


def main(folder):
    require_tool("librecad")
    require_tool("pdfinfo")
    require_tool("pdftoppm")
    require_tool("convert")
    empty = {name for name, _, contours in read_cases(folder) if contours == 0}
    drawings = sorted(glob.glob(f"{folder}/*.dxf"))
    if not drawings:
        fail("no DXF samples")
    with tempfile.TemporaryDirectory() as scratch:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=scratch,
                   HOME=scratch)
        result = subprocess.run(["librecad", "dxf2pdf", "-a", "-t", scratch] + drawings,
                                capture_output=True, text=True, env=env, timeout=600)
        if result.returncode != 0:
            fail(f"librecad dxf2pdf exited with {result.returncode}: {result.stderr.strip()}")
        for dxf in drawings:
            base = os.path.basename(dxf)[:-4]
            pdf = f"{scratch}/{base}.pdf"
            if not os.path.exists(pdf):
                fail(f"{base}.dxf: LibreCAD printed no page\n{result.stdout}{result.stderr}")
            if not re.search(r"^Pages:\s+1$", run(["pdfinfo", pdf]), re.M):
                fail(f"{base}.dxf: LibreCAD's PDF is not one page")
            sample = re.sub(r"-r(12|2000)-(bulge|segments)$", "", base)
            if sample in empty:
                continue
            run(["pdftoppm", "-r", "20", "-png", "-singlefile", pdf, f"{scratch}/{base}"])
            if darkest(f"{scratch}/{base}.png") > 0.8:
                fail(f"{base}.dxf: LibreCAD's page shows nothing")
    print(f"LibreCAD printed all {len(drawings)} DXF files")


if __name__ == "__main__":
    main(sys.argv[1])
