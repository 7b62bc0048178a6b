#!/bin/sh
# Drives the real window under Xvfb with xdotool: keys and button clicks build lines, the arrows and
# BackSpace edit them, Up recalls one, Enter runs them, the three window formats are switched by
# their menu keys, the window is resized to twice its size and back, the quit question is answered
# "No", then "Yes", and what the displays held at exit must match.
# Usage: window_keys.sh ORBEX_BINARY   (inside xvfb-run, on a screen of at least 1238 x 868)
set -u
orbex="$1"
work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

fail() { echo "window_keys: $*" >&2; exit 1; }

# Runs the command every 0.05 s, at most 100 times, until it prints something; prints that.
poll() {
    for _ in $(seq 100); do
        found=$("$@" | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.05
    done
    return 1
}

# Prints the visible windows of the program other than $1 (and $2), one id a line.
others() { xdotool search --all --onlyvisible --pid "$pid" --name '' 2>/dev/null | grep -vx -e "$1" -e "${2:-$1}"; }
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

# Clicks the centre of the 54-pixel-wide button whose frame as built starts at $2, $3 in the window
# $1, at the window's factor $scale.
scale=1
click_button() { xdotool mousemove --window "$1" $((($2 + 27) * scale)) $((($3 + 15) * scale)) click 1; }

# The program's window (at most 10 s). A display connection occasionally fails to open when many
# are opened back to back; only that failure is retried.
wid=""
for _ in 1 2 3; do
    ORBEX_TRANSCRIPT="$work/transcript" "$orbex" 2>"$work/stderr" &
    pid=$!
    for _ in $(seq 200); do
        wid=$(xdotool search --all --onlyvisible --pid "$pid" --name '^ORBEX Calculator$' 2>"$work/xdotool" | head -n 1)
        [ -n "$wid" ] && break 2
        grep -qi "can't open display" "$work/xdotool" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=""
    grep -qiE "can't open display|cannot open the X display" "$work/stderr" "$work/xdotool" ||
        { cat "$work/stderr" "$work/xdotool" >&2; fail "the window did not appear"; }
done
[ -n "$wid" ] || fail "no display connection after 3 attempts"
xdotool windowfocus --sync "$wid"

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
xdotool type --delay 5 '5'
quit_answer Escape
poll alone "$wid" > /dev/null || fail "the quit question stayed after No"
kill -0 "$pid" 2>/dev/null || fail "the program ended on No"
xdotool windowfocus --sync "$wid"
xdotool key minus 2
quit_answer Return
poll ended > /dev/null || fail "the program did not end on Yes"
wait "$pid"
code=$? pid=""
[ $code -eq 0 ] || fail "exit status $code"

# What the displays held at exit; each opens with eight empty lines before its first prompt.
spacer='\n\n\n\n\n\n\n\n'
printf '%b' "${spacer}\nIn>A = [1, 2; 3, 4]\nIn>Det (A) + 31\nIn>A(2, 1)\nOut>3\nIn>5 - 2_" >"$work/expected"
printf '%b' "${spacer}\nOut>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>Det (A) + 31 :\n29\nOut>A(2, 1) :\n3" >"$work/expected.out"
for file in "" .out; do
    cmp -s "$work/expected$file" "$work/transcript$file" && continue
    echo "window_keys: display$file differs (expected, then actual):" >&2
    od -c "$work/expected$file" "$work/transcript$file" >&2
    exit 1
done
