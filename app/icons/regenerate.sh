#!/usr/bin/env bash
# Draws the window icon again: the star from the program's own SVG writer,
# then a 48-pixel PNG of it. Usage: app/icons/regenerate.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:?usage: regenerate.sh BUILD_DIR}"
cmake --build "$build" --target polygrav_make_icon
"$build/app/polygrav_make_icon" > "$here/polygrav.svg"
rsvg-convert -w 48 -h 48 "$here/polygrav.svg" -o "$here/polygrav-48.png"
