// SPDX-License-Identifier: GPL-3.0-or-later
// The Enter action, history browsing, the History menu commands and the repetition of
// history lines, with the hooks the window fills in.
#pragma once

#include <string>

#include "state.h"

void enterAction();
void historyPrev();
void historyNext();
void insertItem();     ///< "Insert  Item"
void clearItem();      ///< "Clear Item"
void clearHistory();   ///< "Clear History"
void clearAll();       ///< "Clear All": the history, the plots and every variable

/// A stored line replaces the current line, which is shown and entered, as a history file is
/// replayed line by line.
void enterStoredLine(const std::string& codes);

/// Stores a non-empty current line as the newest history entry, dropping the oldest when all
/// 1024 are taken; browsing ends.
void storeLine();
/// Copies entries iFirst to iLast to iFirst + iOffset onward; targets outside 0 to 1023 are
/// skipped, and nothing happens for a bad range or a zero offset.
void copyHistory(short iFirst, short iLast, short iOffset);
/// Runs the repetition recorded in history entry uiLine. uiLimit bounds a range that reaches
/// the Rpt line itself or later lines (0 for a line just entered); bSilent shows no results.
void executeLines(unsigned short uiLine, unsigned short uiLimit, bool bSilent);

constexpr int gc_iRPT_DEPTH = 64;   ///< nested repetitions deeper than this end with eE_RPT_LIMIT_EXCEEDED

// Shared by the Enter action and the repetition.
/// Inserts text at the output display's remembered position, which then follows the text.
void writeOutput(const char* acText);
/// Writes to the input display too in the one-window and portrait formats.
void writeBoth(const char* acText);
/// The display texts of the line's tokens, joined.
std::string echoText(const ClState& line);
/// The error message, and ":\n" with the result text when a value was formatted.
void writeError();
/// Stores the parser output as the next plot when the graph window is open and the line was a
/// Plot command with eE_NONE or eE_INVALID_NUMBERS. Returns whether it was one (g_bPlot is
/// cleared either way).
bool storePlot(bool bRepeating);
/// Lets the oldest whole blocks of a display that holds more than g_iDisplay_Limit characters
/// leave its top (counted in its mp_llDropped_Blocks); called where no line is being rendered.
void boundDisplays();
/// Whether the line's last code is ";".
bool endsSilent(const ClState& line);
