#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs orbex-batch on every NAME.in of a folder and compares with NAME.out byte for byte.
# NAME.args, when present, holds the options.
set -u
batch="$1"
dir="$2"
status=0
for input in "$dir"/*.in; do
    name="${input%.in}"
    args=""
    [ -f "$name.args" ] && args=$(cat "$name.args")
    if ! "$batch" $args "$input" | cmp -s - "$name.out"; then
        echo "golden mismatch: $(basename "$input")"
        "$batch" $args "$input" | diff "$name.out" - | head -20
        status=1
    fi
done
exit $status
