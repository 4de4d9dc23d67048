#!/bin/sh
# The installation from a build tree into a staging folder: exactly the expected files with the
# expected modes, the launcher, AppStream data and manual page accepted by their validators, the
# icon at the size its folder names, one version everywhere, and the removal that deletes the
# installed files and nothing else.
#   install_layout.sh BUILD_TREE SOURCE_TREE VERSION
set -u

build=$1
source=$2
version=$3

for tool in desktop-file-validate appstreamcli man rsvg-convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is not installed (scripts/setup.sh installs it)"
        exit 1
    fi
done

work=$(mktemp -d)
root="$work/root"
manifest="$build/install_manifest.txt"
# The test's installation writes the build tree's manifest; the one of a real installation
# (make install) is put back afterwards so that make uninstall still finds it.
if [ -f "$manifest" ]; then
    cp "$manifest" "$work/saved-manifest"
fi
cleanup() {
    if [ -f "$work/saved-manifest" ]; then
        cp "$work/saved-manifest" "$manifest"
    else
        rm -f "$manifest"
    fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: the installation failed"
    exit 1
fi

# The files and their modes.
LC_ALL=C sort >"$work/expected" <<EOF
755 usr/bin/vesperon
644 usr/share/applications/vesperon.desktop
644 usr/share/doc/vesperon/changelog.gz
644 usr/share/doc/vesperon/copyright
644 usr/share/icons/hicolor/128x128/apps/vesperon.png
644 usr/share/icons/hicolor/16x16/apps/vesperon.png
644 usr/share/icons/hicolor/22x22/apps/vesperon.png
644 usr/share/icons/hicolor/24x24/apps/vesperon.png
644 usr/share/icons/hicolor/256x256/apps/vesperon.png
644 usr/share/icons/hicolor/32x32/apps/vesperon.png
644 usr/share/icons/hicolor/48x48/apps/vesperon.png
644 usr/share/icons/hicolor/64x64/apps/vesperon.png
644 usr/share/icons/hicolor/scalable/apps/vesperon.svg
644 usr/share/man/man1/vesperon.1.gz
644 usr/share/metainfo/org.vesperon.Vesperon.metainfo.xml
EOF
(cd "$root" && find . ! -type d -printf '%m %P\n' | LC_ALL=C sort) >"$work/installed"
if ! diff -u "$work/expected" "$work/installed"; then
    fail "the installed files differ from the expected ones (- expected, + installed)"
fi

share="$root/usr/share"
desktop="$share/applications/vesperon.desktop"
metainfo="$share/metainfo/org.vesperon.Vesperon.metainfo.xml"
manual="$share/man/man1/vesperon.1.gz"

# The validators of the desktop's formats, each without a single remark.
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || [ -s "$work/desktop.log" ]; then
    cat "$work/desktop.log"
    fail "desktop-file-validate rejects the launcher"
fi
if ! appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1; then
    cat "$work/appstream.log"
    fail "appstreamcli rejects the AppStream data"
fi
if ! LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" \
    >/dev/null 2>"$work/man.log" || [ -s "$work/man.log" ]; then
    cat "$work/man.log"
    fail "man reports problems in the manual page"
fi

# The launcher starts the installed program by name and shows the installed icon.
for line in "Exec=vesperon" "Icon=vesperon" "Name=Vesperon" "StartupNotify=false"; do
    grep -qx "$line" "$desktop" || fail "the launcher lacks the line $line"
done

# Each PNG is as large as the folder it lies in says; the SVG renders.
for png in "$share"/icons/hicolor/*x*/apps/vesperon.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
    [ "$size" = "$folder" ] || fail "$folder/apps/vesperon.png is $size"
done
rsvg-convert -w 48 -h 48 "$share/icons/hicolor/scalable/apps/vesperon.svg" -o "$work/svg.png" ||
    fail "the scalable icon does not render"

# One version in the program, the manual, the AppStream releases and the change log.
[ "$("$root/usr/bin/vesperon" --version)" = "Vesperon $version" ] || fail "vesperon --version is not $version"
zcat "$manual" | head -n 1 | grep -q "\"Vesperon $version\"" || fail "the manual page is not of version $version"
grep -m 1 "<release " "$metainfo" | grep -q "version=\"$version\"" ||
    fail "the newest AppStream release is not $version"
zcat "$share/doc/vesperon/changelog.gz" | head -n 1 | grep -q "^vesperon ($version)" ||
    fail "the change log does not begin with $version"

# The removal deletes what was installed and leaves a stranger's file in a shared folder.
touch "$share/applications/other.desktop"
if ! DESTDIR="$root" cmake -DMANIFEST="$manifest" -P "$source/dist/Uninstall.cmake" >"$work/uninstall.log" 2>&1; then
    cat "$work/uninstall.log"
    fail "the removal failed"
fi
left=$(cd "$root" && find . ! -type d -printf '%P\n')
[ "$left" = "usr/share/applications/other.desktop" ] || fail "after the removal the files left are: $left"
[ ! -e "$manifest" ] || fail "the removal kept the manifest"

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "PASS: installed, validated and removed"
