#!/usr/bin/env bash
# Checks that debian/ follows the rest of the tree: the changelog's version is
# project(VERSION) of CMakeLists.txt, and the package lists of scripts/lib.sh
# and debian/control agree: every build dependency is a package that
# building needs (POLYGRAV_RUN_PACKAGES), and every such package is a build
# dependency, a dependency of the binary package, or build-essential (which
# Debian's builds always have).
#
#   debian-check.sh SOURCE_DIR PROJECT_VERSION
set -uo pipefail
src=$1
version=$2
failed=0
fail() { echo "FAIL: $*"; failed=1; }

changelog=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
# A native package's version is the upstream version; a Debian revision
# (-1) would follow a hyphen.
[ "${changelog%%-*}" = "$version" ] ||
    fail "debian/changelog has version $changelog, CMakeLists.txt's project(VERSION) is $version"

# shellcheck source=/dev/null
source "$src/scripts/lib.sh"
# The package names of a control field, without versions or alternatives.
field() {
    awk -v f="$1" -v p="$2" '
        /^Package:/ { pkg = $2 }
        /^Source:/ { pkg = "" }
        /^[A-Za-z-]+:/ { on = ($1 == f ":") && (p == "" || pkg == p); sub(/^[^:]*:/, "") }
        /^$/ { on = 0 }
        on { print }' "$src/debian/control" |
        tr ',' '\n' | sed 's/(.*)//; s/|.*//; s/^[[:space:]]*//; s/[[:space:]]*$//' |
        grep -v '^\$' | grep -v '^$' | sort -u
}
build_depends=$(field Build-Depends "")
binary_depends=$( (field Depends polygrav; field Recommends polygrav) | sort -u)

for p in $build_depends; do
    [ "$p" = debhelper-compat ] && continue
    [[ " ${POLYGRAV_RUN_PACKAGES[*]} " == *" $p "* ]] ||
        fail "Build-Depends names $p, which POLYGRAV_RUN_PACKAGES of scripts/lib.sh lacks"
done
for p in "${POLYGRAV_RUN_PACKAGES[@]}"; do
    [ "$p" = build-essential ] && continue
    grep -qx -- "$p" <<< "$build_depends"$'\n'"$binary_depends" ||
        fail "$p of POLYGRAV_RUN_PACKAGES is neither a build dependency nor a dependency of polygrav"
done

[ $failed -eq 0 ] && echo PASS
exit $failed
