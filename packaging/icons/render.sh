#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders orbex.svg into the PNG sizes that are installed and embedded (librsvg2-bin).
# Run after editing the SVG and commit the PNGs with it.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" orbex.svg --output "orbex-$size.png"
done
