#!/usr/bin/env bash
# Checks the built Debian package: lintian reports no error and no warning;
# installed with apt-get into a fresh minimal Debian 12 root, the programs
# run, their outputs are byte for byte those of the build tree's programs,
# the manual pages and the .pgv type are found, and a purge leaves no file of
# the package behind.
#
#   package-check.sh DEB BUILD_DIR
#
# The fresh root is made once with debootstrap and kept (with the Debian
# packages apt fetched for it) under POLYGRAV_ROOT_CACHE, default
# /var/cache/polygrav; each run works on a copy. Where debootstrap cannot run
# (not root, no debootstrap, no network for the first run) the install is
# skipped with a message saying so, and lintian still runs.
set -euo pipefail
deb=$(realpath "$1")
build=$(realpath "$2")
cache="${POLYGRAV_ROOT_CACHE:-/var/cache/polygrav}"
fail() { echo "FAIL: $*"; exit 1; }

echo "== lintian $deb"
# Overrides ship in the package (debian/polygrav.lintian-overrides), each
# with its reason beside it.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" ||
    fail "lintian reports errors or warnings"

if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null 2>&1; then
    echo "SKIP: the fresh-root install needs root and debootstrap; lintian alone was run"
    exit 0
fi
base="$cache/bookworm-minbase"
if [ ! -d "$base" ]; then
    mkdir -p "$cache"
    rm -rf "$base.tmp"
    if ! debootstrap --variant=minbase bookworm "$base.tmp" http://deb.debian.org/debian \
        > "$cache/debootstrap.log" 2>&1; then
        tail -5 "$cache/debootstrap.log"
        echo "SKIP: debootstrap could not make a Debian 12 root; lintian alone was run"
        exit 0
    fi
    mv "$base.tmp" "$base"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
cp -a "$base" "$root"
mkdir -p "$cache/archives"
cp "$cache"/archives/*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

echo "== apt-get install ./$(basename "$deb") in a fresh Debian 12 root"
in_root apt-get update -qq
# man-db and the GIO tools read the pages and the type below.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    "./tmp/$(basename "$deb")" man-db libglib2.0-bin > "$work/install.log" 2>&1 ||
    { tail -20 "$work/install.log"; fail "apt-get install of the package"; }
cp -n "$root"/var/cache/apt/archives/*.deb "$cache/archives/" 2>/dev/null || true
in_root dpkg -L polygrav | sort > "$work/files"

in_root polygrav --version || fail "polygrav --version"
in_root polygrav-convert --version || fail "polygrav-convert --version"
in_root polygrav-convert --set EdgeNumber=7 -o /tmp/x.svg || fail "polygrav-convert -o /tmp/x.svg"
[ -s "$root/tmp/x.svg" ] || fail "/tmp/x.svg was not written"

# The same documents through the installed programs and the build tree's.
mkdir -p "$root/tmp/same" "$work/same"
for dir in "$root/tmp/same" "$work/same"; do
    printf '[SVG]\nView=0\nEdgeNumber=7\nStarStep=3\nStarType=1\nCornerRadius=1.5\n' > "$dir/part.pgv"
    printf '[SVG]\nView=0\nStarType=2\nFillTransparent=1\nStrokeWidth=120\n' > "$dir/plain.pgv"
done
in_root polygrav-convert --format svg,dxf,pdf,png --dpi 150 /tmp/same/part.pgv /tmp/same/plain.pgv ||
    fail "the installed polygrav-convert --format svg,dxf,pdf,png"
in_root polygrav-convert --info /tmp/same/part.pgv > "$root/tmp/same/info.json"
"$build/convert/polygrav-convert" --format svg,dxf,pdf,png --dpi 150 \
    "$work/same/part.pgv" "$work/same/plain.pgv"
"$build/convert/polygrav-convert" --info "$work/same/part.pgv" > "$work/same/info.json"
for f in part.svg part.dxf part.pdf part.png plain.svg plain.dxf plain.pdf plain.png info.json; do
    cmp "$root/tmp/same/$f" "$work/same/$f" || fail "the installed programs' $f differs"
done
rm "$root/tmp/same/plain.svg"
in_root polygrav /tmp/same/plain.pgv || fail "the installed polygrav converting a document"
cmp "$root/tmp/same/plain.svg" "$work/same/plain.svg" || fail "the installed polygrav's SVG differs"

in_root man -w polygrav-convert || fail "man does not find polygrav-convert"
in_root man -w polygrav || fail "man does not find polygrav"
[ "$(in_root man -L ja -w polygrav-convert)" = /usr/share/man/ja/man1/polygrav-convert.1.gz ] ||
    fail "man -L ja does not find the Japanese polygrav-convert page"
in_root env LANG=C.UTF-8 MANWIDTH=80 man polygrav-convert 2>/dev/null | grep -q -- '--dxf-arcs' ||
    fail "man polygrav-convert shows no page"

printf '[SVG]\n' > "$root/tmp/a.pgv"
type=$(in_root env XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype /tmp/a.pgv)
[ "$type" = application/x-polygrav ] || fail "xdg-mime query filetype gives '$type' for .pgv"

echo "== apt-get remove --purge polygrav"
in_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq polygrav \
    > "$work/remove.log" 2>&1 || { tail -20 "$work/remove.log"; fail "apt-get remove --purge"; }
left=0
while read -r f; do
    if [ -e "$root$f" ] && [ ! -d "$root$f" ]; then
        echo "left behind: $f"
        left=1
    fi
done < "$work/files"
[ -e "$root/usr/lib/polygrav" ] && { echo "left behind: /usr/lib/polygrav"; left=1; }
[ $left -eq 0 ] || fail "the purge left files of the package"
echo "PASS"
