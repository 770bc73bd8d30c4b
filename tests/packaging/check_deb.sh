#!/bin/bash
# check_deb.sh SOURCE_DIR WORK_DIR: builds the Debian package with the README's commands in WORK_DIR (kept, so that a
# second run only rebuilds what changed), then checks it: lintian finds no error and no warning, the program sits in
# /usr/games with its manual page, and the packaged program answers --version.
set -u
source=$1 work=$2 failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake -S "$source" -B "$work" -G Ninja -DCMAKE_INSTALL_PREFIX=/usr -DTREVAK_BUILD_TESTS=OFF >/dev/null \
    && cmake --build "$work" >/dev/null && (cd "$work" && rm -f trevak_*.deb && cpack -G DEB >/dev/null) \
    || { echo "FAIL: the README's commands make no package" >&2; exit 1; }
deb=$(ls "$work"/trevak_*.deb | head -1)

lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' >&2
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/games/trevak ./usr/share/man/man6/trevak.6.gz ./usr/share/doc/trevak/changelog.gz \
            ./usr/share/doc/trevak/copyright ./usr/share/applications/org.example.Trevak.desktop; do
    grep -qx -- "$path" <<<"$contents" || fail "the package lacks $path"
done
unpacked=$(mktemp -d) && trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked" && "$unpacked/usr/games/trevak" --version | grep -q '^Trevak ' \
    || fail "the packaged program does not answer --version"
exit $((failures != 0))
