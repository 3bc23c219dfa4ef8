#!/usr/bin/env bash
# Whole-process figures of the converters against floors that do only the
# file work a conversion cannot avoid, all measured in the same run:
#   polygrav-convert DOC.pgv            against copy_svg
#   polygrav-convert DOC1..DOC1000      against batch_floor (one process each)
#   polygrav DOC.pgv without a display  against copy_svg
# Prints the medians of wall time and peak resident set over RUNS runs
# (default 21) and each ratio. DOCUMENTS (default 1000) sets the size of the
# batch, for a quick check that the script still runs.
#   bench/convert-vs-floor.sh BUILD_DIR [RUNS] [DOCUMENTS]
# BUILD_DIR is a build with the program, the converter and the benchmarks
# (the floors are bench/copy_svg and bench/batch_floor). The documents live
# in a temporary folder under TMPDIR; its file system decides what a flush
# costs, so it is printed too.
#
# The wall time is that of the bare process started from this shell
# (EPOCHREALTIME before and after). The peak resident set comes from a second
# run of the same command under /usr/bin/time -v in the same round: GNU time
# reports wall time only in hundredths of a second and its own start adds a
# few milliseconds, as much as the single floor takes.
set -euo pipefail
build="${1:?usage: convert-vs-floor.sh BUILD_DIR [RUNS] [DOCUMENTS]}"
runs="${2:-21}"
documents="${3:-1000}"
build=$(cd "$build" && pwd)

programs=(
    "$build/convert/polygrav-convert" "$build/app/polygrav"
    "$build/bench/copy_svg" "$build/bench/batch_floor"
)
for p in "${programs[@]}"; do
    [ -x "$p" ] || { echo "convert-vs-floor.sh: $p is missing; build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/single" "$work/batch" "$work/ready/batch"
# Copies in a folder of their own: no settings file of an earlier run beside
# the program takes part.
cp "${programs[@]}" "$work/bin/"
convert="$work/bin/polygrav-convert"
polygrav="$work/bin/polygrav"
copy_svg="$work/bin/copy_svg"
batch_floor="$work/bin/batch_floor"

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# The locale decides the decimal separator of the radius; the documents use
# a point.
export LC_ALL=C.UTF-8
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$work/runtime"
cd "$work"

# The largest figure: 100 points, radius 100 mm, the widest outline. View=0
# keeps the window program from looking for a viewer after writing.
printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStarType=0\nStrokeWidth=400\nView=0\n' \
    > single/star.pgv

# The batch's documents (1,000 unless told otherwise) go through point
# counts, radii (whole and decimal), the three figure types, fills, outlines
# and the fill rule.
awk -v dir=batch -v n="$documents" 'BEGIN {
    split("clRed clBlack clBlue clLime $00FF8000 $0080FF00 clWhite clNavy", colors, " ")
    for (i = 1; i <= n; i++) {
        f = sprintf("%s/d%04d.pgv", dir, i)
        printf "[SVG]\nEdgeNumber=%d\n", 5 + (i * 7) % 96 > f
        if (i % 4 == 0) printf "CircumRadius=%d.%d\n", 5 + (i * 13) % 95, i % 10 > f
        else printf "CircumRadius=%d\n", 5 + (i * 13) % 96 > f
        printf "StarType=%d\nFillColor=%s\nFillTransparent=%d\n", i % 3, colors[i % 8 + 1], (i / 3) % 2 > f
        printf "StrokeColor=%s\nStrokeWidth=%d\n", colors[(i * 5) % 8 + 1], (i * 37) % 401 > f
        printf "View=0\nFillRule=%d\n", (i / 5) % 2 > f
        close(f)
    }
}'
batch_docs=(batch/d*.pgv)

# The finished drawings, made once by the converter; the floors write these.
"$convert" single/star.pgv
mv single/star.svg ready/star.svg
"$convert" "${batch_docs[@]}"
mv batch/*.svg ready/batch/
[ "$(find ready/batch -name '*.svg' | wc -l)" -eq ${#batch_docs[@]} ] ||
    { echo "convert-vs-floor.sh: the converter wrote too few drawings" >&2; exit 1; }

# Names of the measured commands, and the command lines.
names=(convert_single copy_svg convert_batch batch_floor polygrav_headless)
declare -A command_line=(
    [convert_single]="$convert single/star.pgv"
    [copy_svg]="$copy_svg ready/star.svg single/star.pgv"
    [convert_batch]="$convert ${batch_docs[*]}"
    [batch_floor]="$batch_floor ready/batch ${batch_docs[*]}"
    [polygrav_headless]="$polygrav single/star.pgv"
)
declare -A wall_us rss_kib

# Runs one command (its words from command_line; no path here holds a blank)
# bare for the wall time, then under /usr/bin/time -v for the peak resident
# set, and keeps both.
measure() {
    local name=$1
    local -a cmd
    read -r -a cmd <<< "${command_line[$name]}"
    local start end
    start=$EPOCHREALTIME
    "${cmd[@]}" || { echo "convert-vs-floor.sh: $name failed" >&2; exit 1; }
    end=$EPOCHREALTIME
    /usr/bin/time -v -o time.txt "${cmd[@]}" ||
        { echo "convert-vs-floor.sh: $name failed under /usr/bin/time" >&2; exit 1; }
    wall_us[$name]+="$(( ${end/./} - ${start/./} )) "
    rss_kib[$name]+="$(sed -n 's/.*Maximum resident set size (kbytes): //p' time.txt) "
}

# The converter has run above; one unmeasured run of the others, so that
# every program starts from a warm cache. Then the rounds, each running every
# command once.
for name in copy_svg batch_floor polygrav_headless; do
    read -r -a cmd <<< "${command_line[$name]}"
    "${cmd[@]}"
done
for _ in $(seq "$runs"); do
    for name in "${names[@]}"; do
        measure "$name"
    done
done

# The floors wrote exactly the converter's bytes.
cmp -s ready/star.svg single/star.svg ||
    { echo "convert-vs-floor.sh: single/star.svg differs from the prepared drawing" >&2; exit 1; }
for doc in "${batch_docs[@]}"; do
    svg="${doc%.pgv}.svg"
    cmp -s "ready/batch/${svg#batch/}" "$svg" ||
        { echo "convert-vs-floor.sh: $svg differs from the prepared drawing" >&2; exit 1; }
done

median() {
    tr ' ' '\n' <<< "$1" | grep . | sort -n |
        awk '{a[NR] = $1} END {print (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2)}'
}
declare -A wall_ms rss
for name in "${names[@]}"; do
    wall_ms[$name]=$(awk -v us="$(median "${wall_us[$name]}")" 'BEGIN {printf "%.2f", us / 1000}')
    rss[$name]=$(median "${rss_kib[$name]}")
done

echo "folder: $work ($(stat -f -c %T "$work")), $runs runs, medians"
printf '%-44s %10s %14s\n' "" "wall ms" "peak RSS KiB"
row() { printf '%-44s %10s %14s\n' "$1" "${wall_ms[$2]}" "${rss[$2]}"; }
ratio() {
    awk -v label="$1" -v a="${wall_ms[$2]}" -v b="${wall_ms[$3]}" -v ra="${rss[$2]}" \
        -v rb="${rss[$3]}" -v aim="$4" \
        'BEGIN {printf "%-44s %9.2fx %13.2fx   (aim: wall <= %sx)\n", "  ratio " label, a / b, ra / rb, aim}'
}
row "polygrav-convert DOC.pgv" convert_single
row "copy_svg (floor)" copy_svg
ratio "single" convert_single copy_svg 2
row "polygrav-convert DOC1..DOC${#batch_docs[@]} (one call)" convert_batch
row "batch_floor (floor)" batch_floor
ratio "batch" convert_batch batch_floor 1.5
row "polygrav DOC.pgv, no display" polygrav_headless
row "copy_svg (floor)" copy_svg
ratio "headless" polygrav_headless copy_svg 12
