// SPDX-License-Identifier: GPL-3.0-or-later
// Test lines written the way the calculator shows them, turned into stored lines of codes
// through the same dictionaries the engine uses.
#pragma once

#include <string>

#include "calculator.h"

/// Codes of a line written as display texts ("Det (A) + 1E - 3"). Spaces that belong to no
/// display text are skipped; any other unknown text fails the test that asked for it.
std::string displayToCodes(const std::string& text);

/// Makes g_Current_State the line of these codes.
void setLine(const std::string& codes);

/// Lexes and evaluates a line written as display texts; returns the tParser/tLexer outcome.
bool evaluate(const std::string& text);

/// The value of a display-text expression, evaluated on its own (it must end in eE_NONE).
Matrix valueOf(const std::string& text);

/// A file's bytes ("" when it cannot be read).
std::string readFile(const std::string& sPath);

/// A matrix from rows of doubles: mat({{1, 2}, {3, 4}}).
Matrix mat(std::initializer_list<std::initializer_list<Complex>> rows);
