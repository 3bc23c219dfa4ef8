#!/usr/bin/env bash
# Times polygrav-convert as a whole process for each format on the worst
# case (100 points, R = 100 mm, 4 mm outline), RUNS runs each, and prints
# the median wall time and peak memory of /usr/bin/time -v.
#   bench/formats-process.sh BUILD_DIR [RUNS]
set -euo pipefail
build="${1:?usage: bench/formats-process.sh BUILD_DIR [RUNS]}"
runs="${2:-21}"
convert="$build/convert/polygrav-convert"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStrokeWidth=400\nView=0\n' \
    > "$work/worst.pgv"

median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
for format in svg dxf pdf png; do
    : > "$work/wall"
    : > "$work/peak"
    for _ in $(seq "$runs"); do
        LC_ALL=C /usr/bin/time -v -o "$work/time" "$convert" --format "$format" "$work/worst.pgv"
        awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); print t[n] }' \
            "$work/time" >> "$work/wall"
        awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time" >> "$work/peak"
    done
    printf '%-4s median wall %6.3f s, median peak %6d KB (%d runs)\n' "$format" \
        "$(median < "$work/wall")" "$(median < "$work/peak")" "$runs"
done
