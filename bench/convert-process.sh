#!/usr/bin/env bash
# Runs the command-line conversion of one settings document N times as a
# whole process and reports the median wall time and the peak resident set.
#   bench/convert-process.sh PROGRAM [N] [DOCUMENT]
# DOCUMENT defaults to the largest figure (100 points, radius 100 mm). The
# program runs as a copy in a temporary folder, without a display.
set -euo pipefail
program="${1:?usage: convert-process.sh PROGRAM [N] [DOCUMENT]}"
runs="${2:-20}"
document="${3:-}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/polygrav"
if [ -n "$document" ]; then
    cp "$document" "$work/star.pgv"
else
    printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStrokeWidth=400\nView=0\n' \
        > "$work/star.pgv"
fi

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"

times=()
rss=()
for _ in $(seq "$runs"); do
    rm -f "$work/star.svg"
    start=$(date +%s%N)
    /usr/bin/time -v -o "$work/time.txt" "$work/polygrav" "$work/star.pgv"
    end=$(date +%s%N)
    [ -s "$work/star.svg" ] || { echo "no SVG written" >&2; exit 1; }
    times+=($(( (end - start) / 1000 )))
    rss+=("$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
max() { printf '%s\n' "$@" | sort -n | tail -1; }
printf 'runs: %d\n' "$runs"
awk -v us="$(median "${times[@]}")" 'BEGIN {printf "median wall time: %.1f ms\n", us / 1000}'
printf 'peak RSS: median %d KiB, max %d KiB\n' "$(median "${rss[@]}")" "$(max "${rss[@]}")"
