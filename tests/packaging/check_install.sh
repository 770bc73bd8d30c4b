#!/bin/bash
# Installs a built tree into a temporary prefix and checks the files a desktop needs:
# the program, its menu entry, its icons and its software-centre description.
#
# usage: check_install.sh BUILD_DIR VERSION BINDIR DATADIR
#   BINDIR and DATADIR are relative to the prefix (CMAKE_INSTALL_BINDIR / _DATADIR).

set -u

if [ $# -ne 4 ]; then
    echo "usage: $0 BUILD_DIR VERSION BINDIR DATADIR" >&2
    exit 2
fi
build_dir=$1
version=$2
bindir=$3
datadir=$4
app_id=org.example.Trevak

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in cmake desktop-file-validate appstreamcli od; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: '$tool' is not installed (packages: cmake, desktop-file-utils, appstream, coreutils)" >&2
        exit 1
    fi
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/trevak-install.XXXXXX") || exit 1
trap 'rm -rf "$prefix"' EXIT

if ! install_log=$(cmake --install "$build_dir" --prefix "$prefix" 2>&1); then
    echo "$install_log" >&2
    echo "FAIL: cmake --install $build_dir failed (is trevak built, are the icons in resources/?)" >&2
    exit 1
fi

program=$prefix/$bindir/trevak
desktop=$prefix/$datadir/applications/$app_id.desktop
metainfo=$prefix/$datadir/metainfo/$app_id.metainfo.xml
icons=$prefix/$datadir/icons/hicolor

[ -f "$program" ] && [ -x "$program" ] || fail "no executable program at $bindir/trevak"
[ -f "$desktop" ] || fail "no desktop entry at $datadir/applications/$app_id.desktop"
[ -f "$metainfo" ] || fail "no AppStream file at $datadir/metainfo/$app_id.metainfo.xml"

# Prints "WIDTHxHEIGHT" from the PNG header, or nothing when the file is not a PNG.
png_size() {
    local signature
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || return 1
    # IHDR follows the signature: length, type, then width and height as big-endian words.
    local -a b
    read -r -a b <<<"$(od -An -tu1 -j16 -N8 "$1")"
    [ ${#b[@]} -eq 8 ] || return 1
    echo "$(( (b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3] ))x$(( (b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7] ))"
}

for size in 32 64 128; do
    icon=$icons/${size}x${size}/apps/trevak.png
    if [ ! -f "$icon" ]; then
        fail "icon missing: $datadir/icons/hicolor/${size}x${size}/apps/trevak.png"
        continue
    fi
    actual=$(png_size "$icon") || { fail "${size}x${size} icon is not a PNG file"; continue; }
    [ "$actual" = "${size}x${size}" ] || fail "${size}x${size} icon is $actual pixels"
done

svg=$icons/scalable/apps/trevak.svg
if [ ! -f "$svg" ]; then
    fail "icon missing: $datadir/icons/hicolor/scalable/apps/trevak.svg"
elif ! grep -q '<svg' "$svg"; then
    fail "scalable icon is not an SVG file"
fi

if [ -f "$desktop" ]; then
    # desktop-file-validate exits 0 on warnings; a warning here is still a defect.
    validation=$(desktop-file-validate "$desktop" 2>&1)
    status=$?
    [ -n "$validation" ] && echo "$validation"
    if [ $status -ne 0 ] || grep -qE '(error|warning):' <<<"$validation"; then
        fail "desktop-file-validate rejects $app_id.desktop"
    fi
    # The menu entry must start the program and show the icon this install provides.
    grep -qx 'Exec=trevak' "$desktop" || fail "desktop entry does not run 'trevak'"
    grep -qx 'Icon=trevak' "$desktop" || fail "desktop entry does not use icon 'trevak'"
fi

if [ -f "$metainfo" ]; then
    if ! appstreamcli validate --no-net "$metainfo"; then
        fail "appstreamcli rejects $app_id.metainfo.xml"
    fi
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
        || fail "AppStream launchable does not name $app_id.desktop"
    # Each version shipped needs its own release entry for software centres to show it.
    grep -q "<release version=\"$version\"" "$metainfo" \
        || fail "AppStream file has no release entry for version $version"
fi

if [ $failures -ne 0 ]; then
    echo "$failures packaging check(s) failed" >&2
    exit 1
fi
echo "install into a fresh prefix: all packaging checks passed"
