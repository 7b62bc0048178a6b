// SPDX-License-Identifier: GPL-3.0-or-later
// The error messages, one per error number.
#include "messages.h"

#include <iterator>

unsigned short g_uiError_Number = eE_NONE;

const char* const gc_aacERROR_MESSAGE[] = {
    "",
    "Number input error",
    "Key input error",
    "Assignment error",
    "Missing parentheses or bracket",
    "Bad parameter list",
    "Matrix size mismatch",
    "Incorrect scalar expression",
    "Expression error",
    "Non-square matrix",
    "Singular matrix",
    "Scalar value not in correct range",
    "Invalid numbers",
    "Operator calculation error",
    "Misplaced value",
    "Misplaced operator",
    "Misplaced binary operator",
    "Misplaced right parenthesis or bracket",
    "Missing right parenthesis or bracket",
    "Matrix size error",
    "Matrix dimensions too large",
    "Invalid coordinates",
    "Invalid polynomial",
    "Graph limit exceeded",
    "Empty matrix",
    "Incorrect step size",
    "Incorrect conditional",
    "Plot window is not open",
    "Limit on Rpts exceeded",
    "\nGraph parameters incorrect, using defaults [-3, 3, 1, -2, 2, 1]",
    "Rpt command not executed",
    "Bad integer values",
};
static_assert(std::size(gc_aacERROR_MESSAGE) == eE_COUNT, "one message per error number");
