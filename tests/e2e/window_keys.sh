#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the real window under Xvfb with xdotool: keys and button clicks build lines, the arrows and
# BackSpace edit them, Up recalls one, Enter runs them, the three window formats are switched by
# their menu keys, the window is resized to twice its size and back, the matrix editor takes blocks
# from the clipboard (xclip), the quit question is answered "No", then "Yes", and what the displays
# held at exit must match.
# Usage: window_keys.sh ORBEX_BINARY   (inside xvfb-run, on a screen of at least 1238 x 868)
set -u
orbex="$1"
work=$(mktemp -d)
pid=""
clip_pid=""
trap 'for p in $pid $clip_pid; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT

. "$(dirname "$0")/window_lib.sh"

alone() { [ -z "$(others "$1")" ] && echo alone; }
ended() { kill -0 "$pid" 2>/dev/null || echo ended; }

# Opens File and clicks Quit in the window $wid, then answers the question window, which replaces
# the menu, with the key $1. The pointer never rests on a button with a tooltip, whose window
# would be taken for the menu.
quit_answer() {
    xdotool mousemove --window "$wid" 25 15 click 1
    menu=$(poll others "$wid") || fail "no File menu"
    xdotool mousemove --window "$wid" 25 157 click 1
    question=$(poll others "$wid" "$menu") || fail "no quit question"
    xdotool windowfocus --sync "$question"
    xdotool key "$1"
}

# Offers the text $2 (printf's escapes) in the selection $1 for one paste, once xclip owns it.
offer() {
    rm -f "$work/xclip"
    printf "$2" | xclip -selection "$1" -loops 1 -quiet 2>"$work/xclip" &
    clip_pid=$!
    poll grep -ls Waiting "$work/xclip" > /dev/null || fail "xclip did not take the $1 selection"
}
served() { kill -0 "$clip_pid" 2>/dev/null || echo served; }
# Waits until the offered text was pasted.
pasted() {
    poll served > /dev/null || fail "nothing pasted $1"
    wait "$clip_pid"
    clip_pid=""
}
# Ends an offer that nothing may have asked for.
withdraw() {
    [ -z "$(served)" ] || fail "the calculator asked for the $1 selection"
    kill "$clip_pid"
    wait "$clip_pid" 2>/dev/null
    clip_pid=""
}

# Clicks the centre of the 54-pixel-wide button whose frame as built starts at $2, $3 in the window
# $1, at the window's factor $scale.
scale=1
click_button() { xdotool mousemove --window "$1" $((($2 + 27) * scale)) $((($3 + 15) * scale)) click 1; }

ORBEX_TRANSCRIPT="$work/transcript"
export ORBEX_TRANSCRIPT
startWindow

# Portrait first: a new window, where a line is run and another left unfinished.
xdotool key ctrl+alt+r
wid=$(poll others "$wid") || fail "no portrait window"
xdotool windowfocus --sync "$wid"
xdotool type --delay 5 'A=[1,2;3,4]'
xdotool key Return 7
xdotool key ctrl+alt+d
# Landscape again: a new window whose displays and line start afresh; the history stays, and Up
# brings back the line run in portrait. Resized to twice its size, the face with it: "D" gives
# "Det " and an automatic "("; "+" and "1" are clicked where they are now; back before ")", one
# BackSpace removes it alone, ")" again, "3" goes after the " + ".
wid=$(poll others "$wid") || fail "no landscape window"
xdotool windowfocus --sync "$wid"
xdotool windowsize --sync "$wid" 1238 868
scale=2
xdotool key Up Return
xdotool type --delay 5 'DA)'
click_button "$wid" 190 392
click_button "$wid" 10 357
xdotool key Left Left BackSpace parenright Right 3 Return
# One window: what is run shows in the widened input display too. Then two windows again at the
# size as built, a line left unfinished, and the quit question answered "No", then "Yes".
xdotool key ctrl+alt+f
xdotool type --delay 5 'A(2,1)'
xdotool key Return ctrl+alt+d
xdotool windowsize --sync "$wid" 619 434
scale=1
# The editor for B: "Paste" from the right-click menu of the size step takes a spreadsheet block,
# Done keeps it and B shows it. Then B's own table is opened by "Edit", Ctrl+V replaces it by a
# larger block and Done keeps that. The calculator line takes nothing by Ctrl+V or the middle
# button.
xdotool key ctrl+alt+b
offer clipboard '1.5\t-2\r\n3\t4+5i\r\n'
xdotool mousemove --window "$wid" 450 100 click 3
menu=$(poll others "$wid") || fail "no Paste menu"
xdotool mousemove --window "$menu" 20 10 click 1
pasted "from the menu"
xdotool mousemove --window "$wid" 560 15 click 1
xdotool type --delay 5 'B'
xdotool key Return ctrl+alt+b
xdotool mousemove --window "$wid" 527 14 click 1
offer clipboard '7\t8\t9\n10\t11\t12\n'
xdotool key ctrl+v
pasted "by Ctrl+V"
xdotool mousemove --window "$wid" 560 15 click 1
xdotool type --delay 5 'B'
xdotool key Return
offer clipboard '99'
xdotool key ctrl+v
xdotool type --delay 5 '5'
withdraw clipboard
offer primary '98'
xdotool mousemove --window "$wid" 150 150 click 2
quit_answer Escape
poll alone "$wid" > /dev/null || fail "the quit question stayed after No"
kill -0 "$pid" 2>/dev/null || fail "the program ended on No"
withdraw primary
xdotool windowfocus --sync "$wid"
xdotool key minus 2
quit_answer Return
poll ended > /dev/null || fail "the program did not end on Yes"
wait "$pid"
code=$? pid=""
[ $code -eq 0 ] || fail "exit status $code"

# What the displays held at exit; each opens with eight empty lines before its first prompt.
spacer='\n\n\n\n\n\n\n\n'
printf '%b' "${spacer}\nIn>A = [1, 2; 3, 4]\nIn>Det (A) + 31\nIn>A(2, 1)\nOut>3\nIn>B\nIn>B\nIn>5 - 2_" >"$work/expected"
printf '%b' "${spacer}\nOut>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>Det (A) + 31 :\n29\nOut>A(2, 1) :\n3\nOut>B :\n1.5, -2 ;\n3, 4 + 5i\nOut>B :\n7, 8, 9 ;\n10, 11, 12" >"$work/expected.out"
for file in "" .out; do
    cmp -s "$work/expected$file" "$work/transcript$file" && continue
    echo "$(basename "$0" .sh): display$file differs (expected, then actual):" >&2
    od -c "$work/expected$file" "$work/transcript$file" >&2
    exit 1
done
