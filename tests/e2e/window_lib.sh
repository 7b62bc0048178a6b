# SPDX-License-Identifier: GPL-3.0-or-later
# What the end-to-end scripts share: sourced after setting orbex (the program) and work (a
# temporary folder); startWindow sets pid and wid, and the caller's EXIT trap ends the program.

fail() { echo "$(basename "$0" .sh): $*" >&2; exit 1; }

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

# The program's window (at most 10 s), focused. A display connection occasionally fails to open
# when many are opened back to back; only that failure is retried.
startWindow() {
    wid=""
    for _ in 1 2 3; do
        "$orbex" 2>"$work/stderr" &
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
}
