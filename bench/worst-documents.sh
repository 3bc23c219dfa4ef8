#!/usr/bin/env bash
# Converts the worst documents for time and memory with both programs of a
# release build, as whole processes under /usr/bin/time -v, and fails when
# one takes a second or more, or more than 100 MB beyond the program's peak
# when it converts nothing. Then the largest figures the part's keys allow,
# in every format and as the largest PNG: each must convert within those
# bounds or be refused (exit status 1) in under 0.1 s (a PNG refused after
# its figure was built: within the bounds). Time is the process's
# processor time (user and system): the programs run on one thread, so on
# an idle machine it is the time one waits, and other work sharing the
# processors does not stretch it.
#   bench/worst-documents.sh BUILD_DIR
set -euo pipefail
build="${1:?usage: bench/worst-documents.sh BUILD_DIR}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mib=$((1024 * 1024))

# The generators end by a broken pipe, which is no failure here.
set +o pipefail
fill() { yes "$1" | tr -d '\n' | head -c "$2"; }
{ printf '[SVG]\n'; head -c $((16 * mib - 6)) /dev/zero | tr '\0' '\n'; } > "$work/newlines.pgv"
head -c $((100 * mib)) /dev/zero | tr '\0' '\n' > "$work/over-the-limit.pgv"
{ printf '[SVG]\nEdgeNumber='; fill 7 $((16 * mib - 20)); printf '\n'; } > "$work/long-line.pgv"
{ printf '[SVG]\n'; yes 'EdgeNumber=9' | head -c $((16 * mib - 6)); } > "$work/many-keys.pgv"
yes '[SVG]' | head -c $((16 * mib)) > "$work/many-sections.pgv"
set -o pipefail

status=0
measure() {  # PROGRAM ARGS... → "seconds kilobytes"
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$@" > /dev/null 2>&1 || true
    tail -n 1 "$work/time" | awk '{ print $1 + $2, $3 }'
}
for program in "$build/convert/polygrav-convert" "$build/app/polygrav"; do
    read -r _ base < <(measure "$program" --version)
    for doc in "$work"/*.pgv; do
        read -r seconds kb < <(env -u DISPLAY -u WAYLAND_DISPLAY bash -c \
            "/usr/bin/time -f '%U %S %M' -o '$work/time' '$program' '$doc' >/dev/null 2>&1
             tail -n 1 '$work/time' | awk '{ print \$1 + \$2, \$3 }'")
        extra=$((kb - base))
        printf '%-16s %-22s %5.2f s %7d KB above the idle program\n' \
            "$(basename "$program")" "$(basename "$doc")" "$seconds" "$extra"
        if awk -v s="$seconds" 'BEGIN { exit !(s >= 1.0) }' || [ "$extra" -gt $((100 * 1024)) ]; then
            echo "FAIL: over a second or 100 MB"
            status=1
        fi
    done
done
# The heaviest parts: the keys at the values that make the most work.
heavy='[SVG]
EdgeNumber=100
StarStep=49
StarType=1
FillRule=1
CircumRadius=100'
printf '%s\nOffset=1000\n' "$heavy" > "$work/part-offset-round.pgv"
# The largest offset of the heaviest part within the budget.
printf '%s\nOffset=1.6507\n' "$heavy" > "$work/part-offset-largest.pgv"
printf '%s\nOffset=1.6507\nOffsetJoin=1\n' "$heavy" > "$work/part-offset-largest-mitre.pgv"
printf '%s\nOffset=1000\nOffsetJoin=1\n' "$heavy" > "$work/part-offset-mitre.pgv"
printf '%s\nOffset=-1000\n' "$heavy" > "$work/part-offset-shrink.pgv"
printf '%s\nCutOutline=1\nCornerRadius=0.01\nValleyRadius=0.01\nOffset=0.5\n' "$heavy" \
    > "$work/part-fillets.pgv"
printf '[SVG]\nCircumRadius=40\n' > "$work/design-r40.pgv"
printf '[SVG]\nEdgeNumber=100\nCircumRadius=100\nStrokeWidth=400\n' > "$work/design-largest.pgv"

convert="$build/convert/polygrav-convert"
read -r _ base < <(measure "$convert" --version)
for doc in "$work"/part-*.pgv "$work"/design-*.pgv; do
    for args in "--format svg" "--format dxf" "--format pdf" "--format png" \
                "--format png --dpi 2400 --transparent" "--info"; do
        set +e
        # shellcheck disable=SC2086
        /usr/bin/time -f '%U %S %M' -o "$work/time" "$convert" $args -o "$work/out" "$doc" \
            > /dev/null 2> "$work/err"
        code=$?
        set -e
        read -r seconds kb < <(tail -n 1 "$work/time" | awk '{ print $1 + $2, $3 }')
        extra=$((kb - base))
        verdict=converted
        [ "$code" -eq 1 ] && verdict="refused: $(head -c 100 "$work/err" | tr '\n' ' ')"
        printf '%-24s %-40s %5.2f s %7d KB %s\n' "$(basename "$doc")" "$args" "$seconds" "$extra" \
            "$verdict"
        # A figure refused is refused before its work, in under 0.1 s; an
        # output refused after a figure that fits (a PNG too large) has done
        # only that figure's work, and must stay within the document's bounds.
        [ "$args" = "--format svg" ] && figure_code=$code
        refusal_limit=0.1
        [ "$figure_code" -eq 0 ] && refusal_limit=1.0
        if [ "$code" -gt 1 ] ||
           { [ "$code" -eq 1 ] && awk -v s="$seconds" -v l="$refusal_limit" 'BEGIN { exit !(s >= l) }'; } ||
           awk -v s="$seconds" 'BEGIN { exit !(s >= 1.0) }' || [ "$extra" -gt $((100 * 1024)) ]; then
            echo "FAIL: over a second or 100 MB, or refused too slowly"
            status=1
        fi
    done
done
exit $status
