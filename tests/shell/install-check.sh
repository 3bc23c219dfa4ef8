#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the desktop
# knows Polygrav there: its entry opens .pgv documents and a .pgv file has
# Polygrav's type. Runs without a display or a session bus.
#
#   install-check.sh <build folder> <the built polygrav program, or empty>
set -euo pipefail
build=$1
program=${2:-}

if [ -z "$program" ] || [ ! -x "$program" ]; then
    echo "SKIP: the polygrav program is not built, so there is nothing to install"
    exit 77
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix with blank"
fail() { echo "FAIL: $*"; exit 1; }

env -u DESTDIR cmake --install "$build" --prefix "$prefix" > "$tmp/install.log" ||
    { cat "$tmp/install.log"; fail "cmake --install"; }

for f in bin/polygrav bin/polygrav-convert lib/polygrav/polygrav-viewer.so \
         lib/polygrav/polygrav-window.so lib/polygrav/polygrav-cairo.so \
         share/applications/polygrav.desktop \
         share/mime/packages/polygrav.xml \
         share/icons/hicolor/scalable/apps/polygrav.svg \
         share/icons/hicolor/48x48/apps/polygrav.png \
         share/doc/polygrav/README.md \
         share/mime/mime.cache \
         share/applications/mimeinfo.cache; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/polygrav.desktop" ||
    fail "the installed desktop entry is not valid"

# A desktop that sees only this prefix and the system's data, with a user
# of its own.
export HOME="$tmp/home"
export XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"
export XDG_DATA_DIRS="$prefix/share:/usr/share"
export PATH="$prefix/bin:$PATH"
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"

mime=$(gio mime application/x-polygrav)
echo "$mime"
echo "$mime" | grep -qE '^Default application for .*: polygrav\.desktop$' ||
    fail "polygrav.desktop is not the default application for application/x-polygrav"

printf '[SVG]\nEdgeNumber=5\n' > "$tmp/my star.pgv"
info=$(gio info -a standard::content-type "$tmp/my star.pgv")
echo "$info"
echo "$info" | grep -qE 'standard::content-type: application/x-polygrav$' ||
    fail "a .pgv file is not of type application/x-polygrav"

# The installed converter writes the SVG and finds its viewer module in
# ../lib/polygrav: with View on and no viewer here, it says there is none
# (in English, which LANGUAGE asks for).
(cd "$tmp" && LANGUAGE=en polygrav-convert --view "my star.pgv" 2> "$tmp/convert.err") ||
    { cat "$tmp/convert.err"; fail "the installed polygrav-convert failed"; }
[ -s "$tmp/my star.svg" ] || fail "the installed polygrav-convert wrote no SVG"
if grep -q "cannot load the viewer module" "$tmp/convert.err"; then
    cat "$tmp/convert.err"
    fail "the installed polygrav-convert does not find its viewer module"
fi

# A shortcut made by the installed program shows the icon that the
# installation put into the prefix's icon theme, by its name.
probe="$build/tests/shell/shell_probe"
[ -x "$probe" ] || fail "shell_probe is not built"
"$probe" shortcut "$prefix/bin/polygrav" PROGRAMS > "$tmp/probe.out"
entry="$XDG_DATA_HOME/applications/Polygrav 1.0A1.desktop"
if ! grep -qx 'Icon=polygrav' "$entry"; then
    cat "$tmp/probe.out" "$entry"
    fail "the installed program's shortcut does not name the icon polygrav"
fi

echo "PASS"
