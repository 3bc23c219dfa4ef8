#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that the desktop
# knows Polygrav there: its entry opens .pgv documents and a .pgv file has
# Polygrav's type. Runs without a display or a session bus.
#
#   install-check.sh <build folder> <the built polygrav program, or empty> <application id>
set -euo pipefail
build=$1
program=${2:-}
app_id=${3:-org.polygrav.Polygrav}

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
         "share/applications/$app_id.desktop" \
         "share/metainfo/$app_id.metainfo.xml" \
         share/mime/packages/polygrav.xml \
         share/icons/hicolor/scalable/apps/polygrav.svg \
         share/icons/hicolor/48x48/apps/polygrav.png \
         share/doc/polygrav/README.md \
         share/doc/polygrav/screenshot.png \
         share/bash-completion/completions/polygrav-convert \
         share/man/man1/polygrav.1 share/man/man1/polygrav-convert.1 \
         share/man/ja/man1/polygrav.1 share/man/ja/man1/polygrav-convert.1 \
         share/mime/mime.cache \
         share/applications/mimeinfo.cache; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$prefix/share/applications/$app_id.desktop" ||
    fail "the installed desktop entry is not valid"

# A desktop that sees only this prefix, the system's MIME types and a viewer
# of its own (never one of the machine's applications), with a user of its
# own. The viewer notes the path it was given.
system="$tmp/system"
mkdir -p "$system/applications"
ln -s /usr/share/mime "$system/mime"
cat > "$tmp/viewer.sh" <<'VIEWER'
#!/bin/sh
printf '%s\n' "$1" > "$(dirname "$0")/viewed.tmp" && mv "$(dirname "$0")/viewed.tmp" "$(dirname "$0")/viewed"
VIEWER
chmod +x "$tmp/viewer.sh"
printf '[Desktop Entry]\nType=Application\nName=Test viewer\nExec="%s" %%f\nMimeType=image/svg+xml;\n' \
    "$tmp/viewer.sh" > "$system/applications/test-viewer.desktop"
export HOME="$tmp/home"
export XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"
export XDG_DATA_DIRS="$prefix/share:$system"
export PATH="$prefix/bin:$PATH"
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
printf '[Default Applications]\nimage/svg+xml=test-viewer.desktop\n' > "$XDG_CONFIG_HOME/mimeapps.list"

mime=$(gio mime application/x-polygrav)
echo "$mime"
echo "$mime" | grep '^Default application for ' | grep -qF ": $app_id.desktop" ||
    fail "$app_id.desktop is not the default application for application/x-polygrav"

printf '[SVG]\nEdgeNumber=5\n' > "$tmp/my star.pgv"
info=$(gio info -a standard::content-type "$tmp/my star.pgv")
echo "$info"
echo "$info" | grep -qE 'standard::content-type: application/x-polygrav$' ||
    fail "a .pgv file is not of type application/x-polygrav"

# The installed converter writes the SVG and finds its viewer module in
# ../lib/polygrav: with View on, the viewer of this desktop gets the SVG.
(cd "$tmp" && LANGUAGE=en polygrav-convert --view "my star.pgv" 2> "$tmp/convert.err") ||
    { cat "$tmp/convert.err"; fail "the installed polygrav-convert failed"; }
[ -s "$tmp/my star.svg" ] || fail "the installed polygrav-convert wrote no SVG"
if grep -q "cannot load the viewer module" "$tmp/convert.err"; then
    cat "$tmp/convert.err"
    fail "the installed polygrav-convert does not find its viewer module"
fi
for _ in $(seq 100); do
    [ -e "$tmp/viewed" ] && break
    sleep 0.1
done
[ "$(cat "$tmp/viewed" 2>/dev/null)" = "$tmp/my star.svg" ] ||
    { cat "$tmp/convert.err"; fail "the viewer was not started on the SVG"; }

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
