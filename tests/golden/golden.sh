#!/bin/bash
# The golden corpus: every output of the programs for a set of documents,
# kept byte for byte in tests/golden/expected/. The corpus is made anew from
# the built programs and compared with the kept one; any difference fails and
# is listed.
#
#   golden.sh check  CONVERT POLYGRAV SETTINGS_WRITER   # compare (the CTest test)
#   golden.sh update CONVERT POLYGRAV SETTINGS_WRITER   # replace the kept corpus
#
# (or `cmake --build BUILD --target update_golden`). Update only when an
# output is meant to change, and look at the difference before committing it.
#
# For each document of documents/: the SVG, the PDF, the PNG, the DXF in both
# versions and both arc modes, --info, and the settings file that the window
# writes when it closes after loading the document; a few PNGs at 300 dpi and
# on a transparent ground; the messages (standard output and error) and exit
# status of failing documents and usage errors in Japanese (LANG=C) and
# English; the SVG and messages of the window program's own conversion.
set -u

mode=${1:?check or update}
convert=${2:?polygrav-convert}
polygrav=${3:?polygrav}
writer=${4:?settings writer}
here=$(cd "$(dirname "$0")" && pwd)
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
convert=$(absolute "$convert")
polygrav=$(absolute "$polygrav")
writer=$(absolute "$writer")
for program in "$convert" "$polygrav" "$writer"; do
    [ -x "$program" ] || { echo "no program $program" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/polygrav-golden.XXXXXX")
trap 'rm -rf "$work"' EXIT
out=$work/out
mkdir -p "$out" "$work/run"
cp "$here"/documents/*.pgv "$work/run/"
cd "$work/run" || exit 1

# Runs a program in a bare environment with the given language, from the
# run folder, so that no message holds a path of this machine.
run() {
    local lang=$1
    shift
    env -i HOME="$work" PATH=/usr/bin:/bin LANG="$lang" "$@"
}

# Appends a command, its standard output and error and its exit status to a
# messages file.
record() {
    local file=$1 lang=$2
    shift 2
    {
        printf '$ %s\n' "${*##*/}"
        run "$lang" "$@" 2>&1
        printf 'exit %d\n\n' $?
    } >>"$file"
}

good=(design design-keys transparent polygon star7-3-fillets offset-mitre offset-round compound6-2
    cut-outline sizeby-flats sizeby-side rotation inner-ratio keys-case-comments empty-inner)
bad=(bad-step bad-fillet bad-color offset-nothing bad-ratio bad-radius)

log=$out/conversions.log
for doc in "${good[@]}"; do
    record "$log" C "$convert" --format svg,pdf,png "$doc.pgv"
    mv "$doc.svg" "$doc.pdf" "$doc.png" "$out/" 2>/dev/null
    for version in r12 r2000; do
        for arcs in bulge segments; do
            record "$log" C "$convert" --dxf $version --dxf-arcs $arcs -o "$out/$doc.$version-$arcs.dxf" "$doc.pgv"
        done
    done
    run C "$convert" --info "$doc.pgv" >"$out/$doc.info.json" 2>>"$log"
    record "$log" C "$writer" "$doc.pgv" "$out/$doc.settings.ini"
done
sed -i "s|$out/||g" "$log"

record "$log" C "$convert" --dpi 300 -o "$out/star7-3-fillets.300dpi.png" star7-3-fillets.pgv
record "$log" C "$convert" --transparent -o "$out/transparent.transparent.png" transparent.pgv
record "$log" C "$convert" --dpi 300 --transparent -o "$out/offset-mitre.300dpi-transparent.png" offset-mitre.pgv
record "$log" C "$convert" --set EdgeNumber=9 --set starstep=2 --set StarType=1 --set CornerRadius=0.5 --set FILLRULE=1 -o "$out/set-lines.svg" polygon.pgv
run C "$convert" --info --set StarType=2 --set EdgeNumber=6 --set SizeBy=1 --set CircumRadius=13 >"$out/readme-info.json" 2>>"$log"
record "$log" C "$convert" -o - design-keys.pgv
sed -i "s|$out/||g" "$log"

# The settings file of a fresh start, and of controls changed after a load.
record "$log" C "$writer" missing.pgv "$out/fresh.settings.ini"
record "$log" C "$writer" bad-color.pgv "$out/bad-color.typed.settings.ini" Offset=0.5 EdgeNumber=9
record "$log" C "$writer" design.pgv "$out/design.typed.settings.ini" StarStep=2 Rotation=0 InnerRatio=0.5
sed -i "s|$out/||g" "$log"

for lang in C en_US.UTF-8; do
    msg=$out/messages.${lang%%_*}.log
    for doc in "${bad[@]}"; do
        record "$msg" $lang "$convert" "$doc.pgv"
        record "$msg" $lang "$convert" --info "$doc.pgv"
        record "$msg" $lang "$convert" --format dxf,png "$doc.pgv"
    done
    record "$msg" $lang "$convert" design.pgv missing.pgv bad-step.pgv polygon.pgv
    record "$msg" $lang "$convert" --bogus design.pgv
    record "$msg" $lang "$convert" --set EdgeNumber design.pgv
    record "$msg" $lang "$convert" --set NoSuchKey=1 design.pgv
    record "$msg" $lang "$convert" --set FillColor=nocolor design.pgv
    record "$msg" $lang "$convert" -o x.svg design.pgv polygon.pgv
    record "$msg" $lang "$convert"
    record "$msg" $lang "$convert" --dpi 0 design.pgv
    record "$msg" $lang "$convert" --format svg,tiff design.pgv
    record "$msg" $lang "$convert" --dxf r14 design.pgv
    record "$msg" $lang "$convert" --help
    record "$msg" $lang "$convert" --version
    record "$msg" $lang "$polygrav" --help
    record "$msg" $lang "$polygrav" --version
    record "$msg" $lang "$polygrav" bad-step.pgv
    record "$msg" $lang "$polygrav" bad-color.pgv
    rm -f ./*.svg ./*.dxf ./*.png
done

# The window program's own conversion (documents with View=0, so that no
# viewer starts).
for doc in design-keys window-part; do
    record "$log" C "$polygrav" "$doc.pgv"
    mv "$doc.svg" "$out/$doc.window.svg"
done

case $mode in
update)
    rm -rf "$here/expected"
    cp -r "$out" "$here/expected"
    echo "golden corpus written to $here/expected ($(du -sh "$here/expected" | cut -f1))"
    ;;
check)
    if diff -r "$here/expected" "$out" >"$work/diff"; then
        echo "golden corpus: every file identical"
    else
        echo "golden corpus differs:"
        cat "$work/diff" | head -200
        exit 1
    fi
    ;;
*)
    echo "unknown mode $mode" >&2
    exit 2
    ;;
esac
