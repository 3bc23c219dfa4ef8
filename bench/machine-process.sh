#!/usr/bin/env bash
# Times polygrav-convert as a whole process writing the machine files of the
# largest single figures: 100 tips of step 49, filleted and offset with
# round joins (arcs), and the same star polygon cut by the even-odd rule and
# offset (about 1,100 contours to order), RUNS runs each, and prints the median wall time
# and peak memory of /usr/bin/time -v. Each must stay within 1 s.
#   bench/machine-process.sh BUILD_DIR [RUNS]
set -euo pipefail
build="${1:?usage: bench/machine-process.sh BUILD_DIR [RUNS]}"
runs="${2:-11}"
convert="$build/convert/polygrav-convert"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStarStep=49\nCutOutline=1\n%s\n' \
    'CornerRadius=0.2
ValleyRadius=0.2
Offset=0.1
View=0' > "$work/worst.pgv"

median() { sort -g | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
run_case() {
    local label="$1"
    shift
    : > "$work/wall"
    : > "$work/peak"
    for _ in $(seq "$runs"); do
        LC_ALL=C /usr/bin/time -v -o "$work/time" "$convert" "$@"
        awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); print t[n] }' \
            "$work/time" >> "$work/wall"
        awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time" >> "$work/peak"
    done
    printf '%-15s median wall %6.3f s, median peak %6d KB (%d runs)\n' "$label" \
        "$(median < "$work/wall")" "$(median < "$work/peak")" "$runs"
}
printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=1\nStarStep=49\nCutOutline=1\n%s\n' \
    'FillRule=1
Offset=0.1
View=0' > "$work/many.pgv"
for doc in worst many; do
    run_case "$doc gcode" --format gcode "$work/$doc.pgv"
    run_case "$doc segments" --format gcode --gcode-arcs segments "$work/$doc.pgv"
    run_case "$doc plt" --format plt "$work/$doc.pgv"
done
