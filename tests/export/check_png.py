"""Checks the PNG samples from outside:
- each case at 96 dpi is round(side × 96 / 25.4) pixels a side, carries a
  pHYs chunk of 3780 pixels per metre and shows what librsvg draws from the
  SVG (cropped to our size: librsvg rounds the side up, we round to nearest).
  At most 20 pixels may differ by more than 10 %: both are cairo's drawing,
  so only rounding at the edges can differ;
- 100 mm at 300 dpi is 1181 pixels with 11811 pixels per metre;
- the opaque image is RGB on white; the transparent one is RGBA with alpha 0
  in a corner and an opaque middle, the star's fill.
  check_png.py SAMPLE_FOLDER"""

import sys
import tempfile

from export_check_lib import (differing_pixels, fail, read_cases, require_tool, run,
                              svg_rendering)
from png_reader import Png

MAX_DIFFERING = 20
FUZZ = 10


def read_png(path):
    with open(path, "rb") as f:
        try:
            return Png(f.read())
        except ValueError as e:
            fail(f"{path}: {e}")


def expect_resolution(label, png, side, per_metre):
    if (png.width, png.height) != (side, side):
        fail(f"{label}: {png.width} × {png.height} pixels, expected {side} × {side}")
    if png.pixels_per_metre() != (per_metre, per_metre, 1):
        fail(f"{label}: pHYs {png.pixels_per_metre()}, expected {per_metre} per metre")


def main(folder):
    require_tool("rsvg-convert")
    require_tool("compare")
    with tempfile.TemporaryDirectory() as scratch:
        for name, side_mm, _ in read_cases(folder):
            path = f"{folder}/{name}.png"
            png = read_png(path)
            side = int(side_mm * 96 / 25.4 + 0.5)
            expect_resolution(f"{name}.png", png, side, 3780)
            if png.color_type != 2:
                fail(f"{name}.png: colour type {png.color_type}, expected RGB")
            reference = f"{scratch}/{name}-svg.png"
            svg_rendering(f"{folder}/{name}.svg", reference, 96)
            cropped = f"{scratch}/{name}-svg-cropped.png"
            run(["convert", reference, "-crop", f"{side}x{side}+0+0", "+repage", cropped])
            differing = differing_pixels(path, cropped, FUZZ)
            if differing > MAX_DIFFERING:
                fail(f"{name}.png: {differing} pixels differ from the SVG's by more than "
                     f"{FUZZ} %")

    big = read_png(f"{folder}/png-100mm-300dpi.png")
    expect_resolution("png-100mm-300dpi.png", big, 1181, 11811)
    if big.pixel(0, 0) != (255, 255, 255):
        fail(f"png-100mm-300dpi.png: corner {big.pixel(0, 0)}, expected white")

    clear = read_png(f"{folder}/png-transparent.png")
    if clear.color_type != 6:
        fail(f"png-transparent.png: colour type {clear.color_type}, expected RGBA")
    corner = clear.pixel(0, 0)
    middle = clear.pixel(clear.width // 2, clear.height // 2)
    if corner[3] != 0:
        fail(f"png-transparent.png: corner {corner}, expected alpha 0")
    if middle != (255, 0, 0, 255):
        fail(f"png-transparent.png: middle {middle}, expected opaque red")
    print("PNG files have their size, resolution and picture")


if __name__ == "__main__":
    main(sys.argv[1])
