#!/bin/sh
# Drives the real window under Xvfb with xdotool: keys and button clicks build lines, the arrows and
# BackSpace edit them, Enter runs them, the three window formats are switched by their menu keys,
# and the quit question is answered "No", then "Yes". What the displays held at exit must match.
# Usage: window_keys.sh ORBEX_BINARY   (inside xvfb-run)
set -u
orbex="$1"
work=$(mktemp -d)
pid=""
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; fi; rm -rf "$work"' EXIT

fail() {
    echo "window_keys: $*" >&2
    exit 1
}

# Prints the visible windows of the program other than $1, one id a line.
others() {
    xdotool search --all --onlyvisible --pid "$pid" --name '' 2>/dev/null | grep -vx "$1"
}

# Runs the command every 0.05 s, at most 100 times, until it prints something; prints that.
poll() {
    tries=0
    while [ $tries -lt 100 ]; do
        found=$("$@" | head -n 1)
        if [ -n "$found" ]; then
            echo "$found"
            return 0
        fi
        sleep 0.05
        tries=$((tries + 1))
    done
    return 1
}

# Prints "alone" when the program shows no window but $1.
alone() { [ -z "$(others "$1")" ] && echo alone; }

# Prints the windows other than $1 and $2.
others_than() { others "$1" | grep -vx "$2"; }

# Waits (at most 5 s) until the program shows a window other than $1 and prints its id.
wait_other() { poll others "$1"; }

# Waits (at most 5 s) until the program shows no window but $1.
wait_alone() { poll alone "$1" > /dev/null; }

# Opens File and clicks Quit in the window $1; prints the question window's id. The pointer
# never rests on a button with a tooltip, whose window would be taken for the menu.
ask_quit() {
    xdotool mousemove --window "$1" 25 15 click 1
    menu=$(wait_other "$1") || return 1
    xdotool mousemove --window "$1" 25 157 click 1
    poll others_than "$1" "$menu"   # the question replaces the menu
}

# Clicks the centre of the 54-pixel-wide button whose frame starts at $2, $3 in the window $1.
click_button() {
    xdotool mousemove --window "$1" $(($2 + 27)) $(($3 + 15)) click 1
}

# Starts the program and waits (at most 10 s) for its window. A display connection occasionally
# fails to open when many are opened back to back; only that failure is retried.
start() {
    attempt=0
    while [ $attempt -lt 3 ]; do
        attempt=$((attempt + 1))
        ORBEX_TRANSCRIPT="$work/transcript" "$orbex" 2>"$work/stderr" &
        pid=$!
        tries=0
        while [ $tries -lt 200 ]; do
            wid=$(xdotool search --all --onlyvisible --pid "$pid" --name '^ORBEX Calculator$' \
                  2>"$work/xdotool" | head -n 1)
            [ -n "$wid" ] && return 0
            grep -qi "can't open display" "$work/xdotool" && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
            tries=$((tries + 1))
        done
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        pid=""
        if ! grep -qiE "can't open display|cannot open the X display" "$work/stderr" "$work/xdotool"; then
            cat "$work/stderr" "$work/xdotool" >&2
            fail "the window did not appear"
        fi
    done
    fail "no display connection after $attempt attempts"
}

# Answers the question window $1 "Yes" and waits for the program to end with status 0.
answer_yes() {
    xdotool windowfocus --sync "$1"
    xdotool key Return
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ $tries -lt 100 ]; do
        sleep 0.05
        tries=$((tries + 1))
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end on Yes"
    wait "$pid"
    code=$?
    pid=""
    [ $code -eq 0 ] || fail "exit status $code"
}

status=0
# Compares the transcript of the last run with the texts $1 (input display) and $2 (output).
check() {
    printf '%b' "$1" >"$work/expected"
    printf '%b' "$2" >"$work/expected.out"
    for file in expected expected.out; do
        actual="$work/transcript${file#expected}"
        if ! cmp -s "$work/$file" "$actual"; then
            echo "window_keys: $run: $file differs (expected, then actual):" >&2
            od -c "$work/$file" >&2
            od -c "$actual" >&2
            status=1
        fi
    done
    rm -f "$work/transcript" "$work/transcript.out"
}
# The input display opens with eight empty lines before its first prompt; so does the output.
spacer='\n\n\n\n\n\n\n\n'

# Landscape: two windows, one window, two windows again; the question answered "No", then "Yes".
run=landscape
start
xdotool windowfocus --sync "$wid"
xdotool type --delay 5 'A=[1,2;3,4]'
xdotool key Return
# "D" gives "Det " and an automatic "("; "+" and "1" are clicked.
xdotool type --delay 5 'DA)'
click_button "$wid" 190 392
click_button "$wid" 10 357
# Back before ")"; one BackSpace removes it alone; ")" again; "3" goes in after the " + ".
xdotool key Left Left BackSpace parenright Right 3 Return
# One window: what is run shows in the widened input display too.
xdotool key ctrl+alt+f
xdotool type --delay 5 'A(2,1)'
xdotool key Return
# Two windows again, and a line left unfinished.
xdotool key ctrl+alt+d
xdotool type --delay 5 '5'
question=$(ask_quit "$wid") || fail "no quit question"
xdotool windowfocus --sync "$question"
xdotool key Escape
wait_alone "$wid" || fail "the quit question stayed after No"
kill -0 "$pid" 2>/dev/null || fail "the program ended on No"
xdotool windowfocus --sync "$wid"
xdotool key minus 2
question=$(ask_quit "$wid") || fail "no quit question"
answer_yes "$question"
check "${spacer}\nIn>A = [1, 2; 3, 4]\nIn>Det (A) + 31\nIn>A(2, 1)\nOut>3\nIn>5 - 2_" \
      "${spacer}\nOut>A = [1, 2; 3, 4] :\n1, 2 ;\n3, 4\nOut>Det (A) + 31 :\n29\nOut>A(2, 1) :\n3"

# Portrait: a new window whose displays and line start afresh; variables and history stay.
run=portrait
start
xdotool windowfocus --sync "$wid"
xdotool type --delay 5 'A=[1,2;3,4]'
xdotool key Return
xdotool type --delay 5 '7'
xdotool key ctrl+alt+r
wid_portrait=$(wait_other "$wid") || fail "no portrait window"
xdotool windowfocus --sync "$wid_portrait"
xdotool type --delay 5 'DA)'
xdotool key Return
# Up twice recalls the line run before the switch; "+" is clicked, "1" typed.
xdotool key Up Up
click_button "$wid_portrait" 190 565
xdotool key 1
question=$(ask_quit "$wid_portrait") || fail "no quit question"
answer_yes "$question"
check "${spacer}\nIn>Det (A)\nOut>-2\nIn>A = [1, 2; 3, 4] + 1_" \
      "${spacer}\nOut>Det (A) :\n-2"

exit $status
