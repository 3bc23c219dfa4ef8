#!/usr/bin/env bash
# Drives bash's completion of polygrav-convert as Tab would, and checks that
# the completion and both manual pages name every option of the converter's
# help and every settings key.
#
#   completion-check.sh COMPLETION POLYGRAV_CONVERT COMPLETION_WORDS MAN_SOURCE_DIR
set -uo pipefail
completion=$1
convert=$2
words=$3
man=$4
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# shellcheck source=/dev/null
source "$completion"
# The words after polygrav-convert on the line, the last being completed.
complete_line() {
    COMP_WORDS=(polygrav-convert "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _polygrav_convert
    printf '%s\n' "${COMPREPLY[@]}"
}
expect() {
    local expected=$1
    shift
    local got
    got=$(complete_line "$@" | sort | tr '\n' ' ')
    [ "$got" = "$expected " ] || fail "completing '$*': got '$got', expected '$expected'"
}

expect "--format" --for
expect "EdgeNumber=" --set Edge
expect "EdgeNumber=" --set edge
expect "StarStep= StarType= StrokeColor= StrokeWidth=" --set St
expect "svg,dxf" --format svg,d
expect "r12 r2000" --dxf r
expect "--dxf --dxf-arcs" a.pgv --dx

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/sub"
touch "$tmp/a.pgv" "$tmp/B.PGV" "$tmp/c.svg"
cd "$tmp" || exit 1
expect "B.PGV a.pgv sub" ""
# After "--" every word is a document, never an option.
expect "" -- --
cd "$OLDPWD" || exit 1

# Every option of the help, and every key, in the completion and the pages.
options=$(LANGUAGE=en "$convert" --help | grep -oE '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)
[ -n "$options" ] || fail "no options read from polygrav-convert --help"
keys=$("$words" keys)
[ -n "$keys" ] || fail "no settings keys from polygrav-completion-words"
offered=$(complete_line - | tr '\n' ' ')
for option in $options; do
    [[ " $offered " == *" $option "* ]] || fail "the completion does not offer $option"
done
for page in "$man/polygrav-convert.1.scd" "$man/ja/polygrav-convert.1.scd"; do
    for option in $options; do
        grep -qF -- "*$option*" "$page" || fail "$(basename "$(dirname "$page")")/$(basename "$page") does not name $option"
    done
    for key in $keys; do
        grep -qx -- "\*$key\*" "$page" || fail "$page does not describe the key $key"
    done
done
for key in $keys; do
    [ "$(complete_line --set "$key" | head -1)" = "$key=" ] || fail "the completion does not offer $key"
done

[ $failed -eq 0 ] && echo PASS
exit $failed
