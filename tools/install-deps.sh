#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need; shared by the Makefile and CI.
# fluid comes with FLTK's CMake package; the window tests run under Xvfb, driven by xdotool,
# their clipboard read by xclip, photographed by ImageMagick (without its recommends, whose fonts
# change the rendering); the window benchmarks send keys through the X server with XTest. NumPy
# reads back the NumPy form of copied results, and the speed comparison (make bench, never CI)
# runs against it.
# With the argument "package", also those of make deb and its checks.
set -eu
PACKAGES="cmake g++ make libeigen3-dev libgtest-dev libbenchmark-dev libopenblas0-serial liblapacke-dev libopenblas-serial-dev clang-14 libclang-rt-14-dev libfltk1.3-dev fluid libx11-dev libxtst-dev fonts-dejavu-core xvfb xauth xdotool xclip imagemagick python3-numpy"
# The package (make deb, packaging/check-package.sh): dpkg-buildflags and dpkg-shlibdeps, the
# validators, lintian, man for the manual pages and xprop for the installed window's class.
if [ "${1:-}" = package ]; then
    PACKAGES="$PACKAGES dpkg-dev desktop-file-utils appstream lintian groff-base man-db x11-utils"
fi
missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
