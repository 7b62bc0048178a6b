// Evaluating the current line as the Enter action does, and the output block it shows.
#pragma once

#include <string>

#include "state.h"

/// Evaluates g_Current_State: a final ";" is dropped and hides the result; the lexer runs, and
/// the parser when the lexer accepted the line. Nothing runs when bExecute is false.
/// Returns the show flag.
bool evaluateCurrentLine(bool bExecute);

/// The text the output display receives for an evaluated line: "\nOut>", the echo of the line
/// and " :\n" (or "\n" when hidden), then the result or the error message. Clears the error
/// number and the result text, as the next line must start without them.
std::string outputBlock(const ClState& line, bool bShow);
