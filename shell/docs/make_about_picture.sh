#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the About picture (about.jpg, 393 x 200, shown unscaled in the About window): the matrix
# [2 1; 1 3] in brackets beside the graph of its characteristic polynomial t^2 - 5t + 5, whose
# two roots, the eigenvalues (5 -+ sqrt 5) / 2, are marked on the axis.
# Needs ImageMagick's convert and the DejaVu fonts; run it from anywhere: sh make_about_picture.sh
set -eu
cd "$(dirname "$0")"

# Graph box 205..383 x 15..185 for t in [0, 5] and p in [-2, 5].
px() { awk -v t="$1" 'BEGIN { printf "%.1f", 205 + t * 178 / 5 }'; }
py() { awk -v p="$1" 'BEGIN { printf "%.1f", 185 - (p + 2) * 170 / 7 }'; }
# The curve as short segments: a polyline would be closed and filled.
curve=$(awk 'BEGIN { for (i = 0; i <= 100; ++i) { t = i * 5 / 100; p = t * t - 5 * t + 5;
                     x = 205 + t * 178 / 5; y = 185 - (p + 2) * 170 / 7;
                     if (i > 0) printf "line %.1f,%.1f %.1f,%.1f ", x0, y0, x, y; x0 = x; y0 = y } }')
grid=""
for t in 1 2 3 4; do x=$(px $t); grid="$grid line $x,15 $x,185"; done
for p in -1 1 2 3 4; do y=$(py $p); grid="$grid line 205,$y 383,$y"; done
axis=$(py 0)
r1=$(awk 'BEGIN { printf "%.1f", 205 + (5 - sqrt(5)) / 2 * 178 / 5 }')
r2=$(awk 'BEGIN { printf "%.1f", 205 + (5 + sqrt(5)) / 2 * 178 / 5 }')

convert -size 393x200 gradient:'#fdfaf0-#e4ecf7' \
  -fill white -stroke '#8a9bb0' -strokewidth 1 -draw "rectangle 205,15 383,185" \
  -stroke '#d3dbe6' -draw "$grid" \
  -stroke '#55606e' -strokewidth 1.5 -draw "line 205,$axis 383,$axis" \
  -fill none -stroke '#c0392b' -strokewidth 2.5 -draw "$curve" \
  -fill '#1f4e8c' -stroke '#1f4e8c' -strokewidth 1 \
  -draw "circle $r1,$axis $(awk -v x="$r1" 'BEGIN { print x + 4 }'),$axis" \
  -draw "circle $r2,$axis $(awk -v x="$r2" 'BEGIN { print x + 4 }'),$axis" \
  -fill none -stroke '#1b2a3a' -strokewidth 3 \
  -draw "line 38,40 28,40 line 28,40 28,140 line 28,140 38,140" \
  -draw "line 142,40 152,40 line 152,40 152,140 line 152,140 142,140" \
  -stroke none -fill '#1b2a3a' -font DejaVu-Serif -pointsize 34 \
  -draw "text 52,80 '2'" -draw "text 108,80 '1'" -draw "text 52,128 '1'" -draw "text 108,128 '3'" \
  -font DejaVu-Sans -pointsize 15 -fill '#33475e' \
  -draw "text 22,172 'det(A - tI) = 0'" \
  -fill '#c0392b' -draw "text 238,36 't² - 5t + 5'" \
  -fill '#1f4e8c' -pointsize 13 -draw "text 212,178 'eigenvalues on the axis'" \
  -quality 90 -strip -sampling-factor 1x1 about.jpg
wc -c about.jpg
