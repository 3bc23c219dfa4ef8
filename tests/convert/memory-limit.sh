#!/usr/bin/env bash
# A batch under a limit on the address space: the document that does not fit
# fails alone with "Not enough memory for ..." naming it, the documents
# before and after it are converted, and the exit status is 1.
#   tests/convert/memory-limit.sh POLYGRAV_CONVERT
# The limit is found from the converter itself: the smallest address space
# in which a small document converts, and 4 MiB more, which the large one
# (a 16 MiB document of many keys; an image of 80 MB) does not fit in. Both
# a reading and cairo's image running out are checked. A build whose
# address space cannot be limited (a sanitizer reserves terabytes) skips.
set -euo pipefail
convert=$(realpath "${1:?usage: memory-limit.sh POLYGRAV_CONVERT}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export LANGUAGE=en LC_ALL=C.UTF-8

printf '[SVG]\nEdgeNumber=6\n' > a1.pgv
printf '[SVG]\nEdgeNumber=8\n' > z1.pgv
set +o pipefail
{ printf '[SVG]\n'; yes 'EdgeNumber=9' | head -c $((16 * 1024 * 1024 - 6)); } > big16.pgv
set -o pipefail

printf '[SVG]\nCircumRadius=100\n' > big-image.pgv
fail() { echo "FAIL: $1"; exit 1; }

# The smallest address space (KB, in steps of 1 MiB) in which the converter
# converts a1.pgv with the given options; empty when not within 1 GiB.
least_space() {
    local kb
    for ((kb = 4096; kb <= 1024 * 1024; kb += 1024)); do
        if prlimit --as=$((kb * 1024)) "$convert" "$@" -o "probe.$$" a1.pgv > /dev/null 2>&1; then
            echo "$kb"
            return
        fi
    done
}

# BIG converted between a1 and z1 with OPTIONS, in the space a1 needs and
# 4 MiB more: only BIG fails, for want of memory.
batch() {  # EXT BIG OPTIONS...
    local ext=$1 big=$2
    shift 2
    local least
    least=$(least_space "$@")
    if [ -z "$least" ]; then
        echo "SKIP: the converter does not run in an address space of 1 GiB"
        exit 77
    fi
    local limit=$((least + 4096))
    echo "$*: a small document converts in $least KB; the batch runs in $limit KB"
    rm -f a1."$ext" z1."$ext"
    set +e
    prlimit --as=$((limit * 1024)) "$convert" "$@" a1.pgv "$big.pgv" z1.pgv > out.txt 2> err.txt
    local code=$?
    set -e
    cat err.txt
    [ "$code" -eq 1 ] || fail "exit status $code, not 1"
    [ -s a1."$ext" ] || fail "a1.$ext, before $big.pgv, was not written"
    [ -s z1."$ext" ] || fail "z1.$ext, after $big.pgv, was not written"
    [ ! -e "$big.$ext" ] || fail "$big.$ext was written"
    local expected="polygrav-convert: $big.pgv: Not enough memory for $big.pgv."
    [ "$(cat err.txt)" = "$expected" ] || fail "the message is not: $expected"
    local stray
    stray=$(find . -maxdepth 1 -name '.?*' -print -quit)
    [ -z "$stray" ] || fail "a temporary $stray was left"
}

# A document too large to read, and an image too large for cairo's surface
# (within the pixel budget: 4469 pixels a side).
batch svg big16 --format svg
batch png big-image --format png --dpi 516
echo "PASS"
