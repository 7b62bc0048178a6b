// SPDX-License-Identifier: GPL-3.0-or-later
// A key press as the X server delivers it to the calculator's main window, for the window tests
// and the window benchmarks.
#pragma once

/// The text is copied into a writable buffer: the toolkit may write into it while retrying
/// shortcuts.
void pressKey(int iKeysym, const char* acText, int iState = 0);
