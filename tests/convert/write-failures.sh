#!/usr/bin/env bash
# Writes that the system refuses, through the whole converter: each failing
# target is named once with the system's reason, a file already in place
# stays as it was, and no temporary is left.
#   tests/convert/write-failures.sh POLYGRAV_CONVERT
# A full disk is /dev/full (written directly, as every character device) and,
# for files replaced beside the document, a file size limit of one byte,
# which fails each write as a full disk does but with its own reason.
set -euo pipefail
convert=$(realpath "${1:?usage: write-failures.sh POLYGRAV_CONVERT}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export LANGUAGE=en LC_ALL=C.UTF-8
printf '[SVG]\nEdgeNumber=6\n' > a1.pgv
status=0

# Runs the converter with ARGS (the messages through a pipe: the limit on
# file sizes would fail them too) and compares its messages and status.
expect() {  # NAME EXPECTED_MESSAGES LIMIT ARGS...
    local name=$1 expected=$2 limit=$3
    shift 3
    local err code
    set +e
    err=$( (trap '' XFSZ; prlimit --fsize="$limit" "$convert" "$@" 2>&1 >/dev/null | cat) )
    code=$(
        trap '' XFSZ
        prlimit --fsize="$limit" "$convert" "$@" > /dev/null 2>&1
        echo $?
    )
    set -e
    if [ "$code" != 1 ] || [ "$err" != "$expected" ]; then
        printf 'FAIL %s: exit status %s, messages:\n%s\nexpected:\n%s\n' "$name" "$code" "$err" \
            "$expected"
        status=1
    fi
    local stray
    stray=$(find . -maxdepth 1 -name '.?*' -print -quit)
    if [ -n "$stray" ]; then
        echo "FAIL $name: a temporary $stray was left"
        status=1
    fi
}

unlimited=$(ulimit -H -f)
[ "$unlimited" = unlimited ] || unlimited=$((unlimited * 1024))
expect "full device" \
    "polygrav-convert: a1.pgv: Cannot write the file /dev/full: No space left on device." \
    "$unlimited" -o /dev/full a1.pgv

printf 'earlier' > a1.svg
expect "every format on a full disk" \
    "polygrav-convert: a1.pgv: Cannot write the file a1.svg: File too large.
polygrav-convert: a1.pgv: Cannot write the file a1.dxf: File too large.
polygrav-convert: a1.pgv: Cannot write the file a1.pdf: File too large.
polygrav-convert: a1.pgv: Cannot write the file a1.png: File too large." \
    1 --format svg,dxf,pdf,png a1.pgv
if [ "$(cat a1.svg)" != earlier ]; then
    echo "FAIL: the SVG already in place was changed"
    status=1
fi
for f in a1.dxf a1.pdf a1.png; do
    if [ -e "$f" ]; then
        echo "FAIL: $f was left after a failed write"
        status=1
    fi
done

long=$(printf 'x%.0s' $(seq 300)).svg
expect "a name too long" \
    "polygrav-convert: a1.pgv: Cannot write the file $long: File name too long." \
    "$unlimited" -o "$long" a1.pgv

[ "$status" -eq 0 ] && echo PASS
exit $status
