#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# CI: builds the Debian package, validates the launcher, the metainfo and the manual pages, runs
# lintian, then installs the package on this machine (purging any installed one first), runs
# both programs from /usr/bin (the window under Xvfb, its X class checked against the
# launcher's) and purges it again. Needs root, as CI is; the Makefile installs the tools.
set -eu
script=$(realpath "$0")
cd "$(dirname "$script")/.."
DEB_BUILD=${DEB_BUILD:-build-deb}

if [ "${1:-}" = --window ]; then
    # Inside xvfb-run: start the installed window, wait for it, report its X class and icon.
    /usr/bin/orbex &
    pid=$!
    window=$(timeout 30 xdotool search --sync --all --onlyvisible --pid "$pid" --name '^ORBEX Calculator$' | head -n 1) || true
    if [ -z "$window" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" || true
        echo "no window"
        exit 1
    fi
    xprop -id "$window" WM_CLASS
    if xprop -id "$window" -notype _NET_WM_ICON | grep -q 'Icon ('; then echo "window icon: set"; else echo "window icon: none"; fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    exit 0
fi

fail() {
    echo "check-package: $*" >&2
    exit 1
}
step() {
    echo "== $*"
}

make deb
deb=$(ls "$DEB_BUILD"/orbex_*.deb)
[ "$(echo "$deb" | wc -l)" -eq 1 ] || fail "expected one package in $DEB_BUILD, found: $deb"
step "package: $deb ($(stat -c %s "$deb") bytes, Installed-Size $(dpkg-deb -f "$deb" Installed-Size) KiB)"
dpkg-deb -f "$deb" Depends

step desktop-file-validate
desktop-file-validate packaging/orbex.desktop

step "appstreamcli validate --no-net"
appstreamcli validate --no-net --pedantic "$DEB_BUILD"/packaging/*.metainfo.xml

step "manual pages (groff -ww, man --warnings)"
for page in packaging/man/*.1; do
    warnings=$(groff -ww -man -z "$page" 2>&1; LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

step lintian
lintian --fail-on error,warning --info --display-info --pedantic "$deb"

step "the installed tree (appstreamcli validate-tree)"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
appstreamcli validate-tree --no-net --pedantic "$tree"

step "install"
installed=""
cleanup() {
    rm -rf "$tree"
    [ -z "$installed" ] || dpkg --purge orbex >/dev/null || true
}
trap cleanup EXIT
if dpkg-query -W orbex >/dev/null 2>&1; then dpkg --purge orbex; fi
installed=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$(realpath "$deb")"
for file in /usr/bin/orbex /usr/bin/orbex-batch /usr/share/applications/orbex.desktop \
            /usr/share/icons/hicolor/scalable/apps/orbex.svg /usr/share/icons/hicolor/48x48/apps/orbex.png \
            /usr/share/doc/orbex/copyright /usr/share/doc/orbex/changelog.gz; do
    [ -f "$file" ] || fail "not installed: $file"
done
[ "$(man -w orbex)" = /usr/share/man/man1/orbex.1.gz ] || fail "man does not find orbex(1)"
[ "$(man -w orbex-batch)" = /usr/share/man/man1/orbex-batch.1.gz ] || fail "man does not find orbex-batch(1)"

step "/usr/bin/orbex-batch --help"
/usr/bin/orbex-batch --help | tee "$tree/help.txt"
grep -q '^usage: orbex-batch' "$tree/help.txt" || fail "orbex-batch --help prints no usage line"
result=$(printf 'D([1,2;3,4])\n' | /usr/bin/orbex-batch)
echo "$result" | grep -qx -- '-2' || fail "orbex-batch computed the determinant wrongly: $result"

step "/usr/bin/orbex under Xvfb"
expected=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/orbex.desktop)
# A display connection very rarely fails to open on a busy machine; such a run is retried.
for attempt in 1 2 3; do
    if xvfb-run -a -s "-screen 0 1024x768x24" sh "$script" --window > "$tree/window.txt" 2>&1; then break; fi
    [ "$attempt" -lt 3 ] || { cat "$tree/window.txt"; fail "the installed window did not appear"; }
done
cat "$tree/window.txt"
class=$(sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p' "$tree/window.txt")
[ -n "$expected" ] && [ "$class" = "$expected" ] || fail "window class \"$class\", launcher's StartupWMClass \"$expected\""
grep -qx "window icon: set" "$tree/window.txt" || fail "the installed window carries no icon"

step purge
dpkg --purge orbex
installed=""
[ ! -e /usr/bin/orbex ] || fail "/usr/bin/orbex is left after the purge"
echo "check-package: the package builds, validates, installs, runs and purges"
