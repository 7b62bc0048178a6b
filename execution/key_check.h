// SPDX-License-Identifier: GPL-3.0-or-later
// The key-press checks: a refused token never enters the line, and nothing is said.
#pragma once

#include "tokens.h"

/// Judges every token but the number characters; active while Error Check is on.
bool tokenErrorCheck(eTOKEN t);
/// Judges a number character after the start of the line; always active.
bool digitErrorCheck(eTOKEN t);
