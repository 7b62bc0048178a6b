#!/bin/sh
# Copying out of the real window under Xvfb, read back with xclip: Ctrl+C with no result says so
# in the title for a moment; after a line, Ctrl+C puts the result on the clipboard; a drag over a
# line of the output display selects it, which Ctrl+C copies; typed keys still run lines; a click
# ends the selection. Usage: window_copy.sh ORBEX_BINARY   (inside xvfb-run)
set -u
orbex="$1"
work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

. "$(dirname "$0")/window_lib.sh"

# Prints "same" once the selection $1 (clipboard or primary) holds the text $2.
holds() { [ "$(xclip -o -selection "$1" 2>/dev/null)" = "$(printf '%b' "$2")" ] && echo same; }
titled() { [ "$(xdotool getwindowname "$wid")" = "$1" ] && echo titled; }
# Ctrl+C, then the clipboard must hold $1.
copies() {
    xdotool key ctrl+c
    poll holds clipboard "$1" > /dev/null || fail "the clipboard holds \"$(xclip -o -selection clipboard)\", not \"$1\""
}

command -v xclip > /dev/null || fail "xclip is missing (tools/install-deps.sh installs it)"
startWindow
xdotool key ctrl+c
poll titled "ORBEX Calculator: no result to copy" > /dev/null || fail "no notice in the title"
poll titled "ORBEX Calculator" > /dev/null || fail "the title stayed"
xdotool type --delay 5 '[1,2;3,4]/3'
xdotool key Return
copies '0.33333333333333331\t0.66666666666666663\n1\t1.3333333333333333'
# The output display ends with the result's last line, "1, 1.33333", on its eighth line (window
# y 166 to 185). Dragged over from the left of the text to past its end, the pointer moved by
# absolute coordinates: a move relative to the window while the button is down reaches no one.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 318)) $((Y + 175)) mousedown 1 sleep 0.1 mousemove $((X + 450)) $((Y + 175)) \
    sleep 0.1 mousemove $((X + 580)) $((Y + 175)) sleep 0.1 mouseup 1
poll holds primary '1, 1.33333' > /dev/null || fail "the drag selected \"$(xclip -o -selection primary)\""
copies '1, 1.33333'
xdotool type --delay 5 '2*3'
xdotool key Return
xdotool mousemove $((X + 400)) $((Y + 100)) click 1
copies '6'
