// SPDX-License-Identifier: GPL-3.0-or-later
// The one calculator window the widget tests share, with its message boxes and file chooser
// answered by the tests.
#pragma once

#include <string>
#include <vector>

#include "dialogs.h"
#include "line_codes.h"
#include "main_window.h"

struct ClAnswers {
    std::vector<std::string> asTexts;   ///< the boxes shown, in order
    int iChoice = 0;                    ///< the button a question gets
    std::string sFile;                  ///< the name a file chooser returns ("" cancels)
};
extern ClAnswers g_Answers;

/// Builds and shows the window once; every call brings the calculator and its window back to
/// their start-up state (two windows at the size as built, Alt off, no editor or graph, the Settings checked, no
/// values, an empty history, primed displays) and clears the answers.
void ensureWindow();

/// The window format as the View menu sets it (0 two windows, 1 one window, 2 portrait).
void selectFormat(int iFormat);
/// A buffer's text (the toolkit's copy freed).
std::string bufferText(Fl_Text_Buffer* pBuffer);
