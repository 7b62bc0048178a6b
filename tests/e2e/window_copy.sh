#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Copying out of the real window under Xvfb, read back with xclip: Ctrl+C with no result says so
# in the title for a moment; after a line, Ctrl+C and Edit > Copy Result As put the result on the
# clipboard; a drag over the result in the output display, shown on two lines, selects it as one
# line, which Ctrl+C copies; typed keys still run lines; a click elsewhere ends the selection.
# Usage: window_copy.sh ORBEX_BINARY   (inside xvfb-run)
set -u
orbex="$1"
work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

. "$(dirname "$0")/window_lib.sh"

# Prints "same" once the selection $1 (clipboard or primary) holds the text $2.
holds() { [ "$(xclip -o -selection "$1" 2>/dev/null)" = "$(printf '%b' "$2")" ] && echo same; }
titled() { [ "$(xdotool getwindowname "$wid")" = "$1" ] && echo titled; }
# The clipboard must come to hold $1.
clipboard() { poll holds clipboard "$1" > /dev/null || fail "the clipboard holds \"$(xclip -o -selection clipboard)\", not \"$1\""; }

command -v xclip > /dev/null || fail "xclip is missing (tools/install-deps.sh installs it)"
startWindow
xdotool key ctrl+c
poll titled "ORBEX Calculator: no result to copy" > /dev/null || fail "no notice in the title"
poll titled "ORBEX Calculator" > /dev/null || fail "the title stayed"
xdotool type --delay 5 '[1:8]/3'
xdotool key Return ctrl+c
clipboard '0.33333333333333331\t0.66666666666666663\t1\t1.3333333333333333\t1.6666666666666667\t2\t2.3333333333333335\t2.6666666666666665'
# Edit, then Copy Result As, then its third item, NumPy.
xdotool mousemove --window "$wid" 74 15 click 1 sleep 0.3 mousemove --window "$wid" 130 88 sleep 0.3 \
    mousemove --window "$wid" 280 135 click 1
clipboard 'np.array([[0.33333333333333331, 0.66666666666666663, 1, 1.3333333333333333, 1.6666666666666667, 2, 2.3333333333333335, 2.6666666666666665]])'
# The result fills the last two of the output display's eight lines (window y 147 to 185). The
# pointer moves by absolute coordinates: moved relative to the window while the button is
# down, it reaches no one.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 318)) $((Y + 156)) mousedown 1 sleep 0.1 mousemove $((X + 450)) $((Y + 165)) \
    sleep 0.1 mousemove $((X + 580)) $((Y + 175)) sleep 0.1 mouseup 1
result='0.333333, 0.666667, 1, 1.33333, 1.66667, 2, 2.33333, 2.66667'
poll holds primary "$result" > /dev/null || fail "the drag selected \"$(xclip -o -selection primary)\""
xdotool key ctrl+c
clipboard "$result"
xdotool type --delay 5 '2*3'
xdotool key Return
xdotool mousemove $((X + 100)) $((Y + 100)) click 1
xdotool key ctrl+c
clipboard '6'
