#!/bin/bash
# check_install.sh BUILD_DIR VERSION BINDIR DATADIR (the last two relative to the prefix): installs the build into
# a scratch prefix and checks what a desktop needs there: the program, menu entry, icons, software-centre data,
# manual page and changelog; and that the program answers --help and --version without a display.
set -u
build=$1 version=$2 bindir=$3 data=$4 id=org.example.Trevak failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

prefix=$(mktemp -d) && trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install" >&2; exit 1; }
desktop=$prefix/$data/applications/$id.desktop metainfo=$prefix/$data/metainfo/$id.metainfo.xml

[ -x "$prefix/$bindir/trevak" ] || fail "no program at $bindir/trevak"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/$bindir/trevak" --version) && [ "$out" = "Trevak $version" ] \
    || fail "trevak --version says: $out"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/$bindir/trevak" --help) && grep -q -- '-v, --version' <<<"$out" \
    || fail "trevak --help says: $out"
QT_QPA_PLATFORM=offscreen "$prefix/$bindir/trevak" --nesmysl 2>/dev/null; [ $? -eq 2 ] || fail "an unknown option is not refused"
zcat "$prefix/$data/man/man6/trevak.6.gz" | grep -q '^\.TH TREVAK 6 ' || fail "no manual page in section 6"
zcat "$prefix/$data/doc/trevak/changelog.gz" | head -1 | grep -q "^trevak ($version) " || fail "no changelog entry for $version"
[ -s "$prefix/$data/doc/trevak/copyright" ] || fail "no copyright file"
for size in 32 64 128; do
    file -b "$prefix/$data/icons/hicolor/${size}x$size/apps/trevak.png" | grep -q "^PNG image data, $size x $size," \
        || fail "no $size x $size PNG icon"
done
grep -q '<svg' "$prefix/$data/icons/hicolor/scalable/apps/trevak.svg" || fail "no scalable icon"

# desktop-file-validate exits 0 on warnings; a warning is a defect all the same.
validation=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$validation" ] || fail "desktop entry: $validation"
grep -qx 'Exec=trevak' "$desktop" && grep -qx 'Icon=trevak' "$desktop" || fail "the menu entry runs or shows something else"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli rejects $id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "AppStream launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no AppStream release entry for $version"
exit $((failures != 0))
