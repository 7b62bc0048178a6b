#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Without an X display the window says so in one line on standard error and exits with 1.
message=$(DISPLAY=:none "$1" 2>&1)
status=$?
echo "$message"
[ "$status" = 1 ] && [ "$message" = 'orbex: cannot open the X display ":none": ORBEX Calculator needs an X11 desktop' ]
