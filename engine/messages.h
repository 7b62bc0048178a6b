// SPDX-License-Identifier: GPL-3.0-or-later
// The error numbers, their messages and the current error of a line.
#pragma once

/// The error numbers, each named after its message, in the order of the message table;
/// eE_COUNT is the number of rows.
enum eERROR : unsigned short {
    eE_NONE, eE_NUMBER_INPUT, eE_KEY_INPUT, eE_ASSIGNMENT,
    eE_MISSING_PARENTHESES, eE_BAD_PARAMETER_LIST, eE_MATRIX_SIZE_MISMATCH, eE_INCORRECT_SCALAR_EXPRESSION,
    eE_EXPRESSION, eE_NON_SQUARE_MATRIX, eE_SINGULAR_MATRIX, eE_SCALAR_OUT_OF_RANGE,
    eE_INVALID_NUMBERS, eE_OPERATOR_CALCULATION, eE_MISPLACED_VALUE, eE_MISPLACED_OPERATOR,
    eE_MISPLACED_BINARY_OPERATOR, eE_MISPLACED_RIGHT_PARENTHESIS, eE_MISSING_RIGHT_PARENTHESIS, eE_MATRIX_SIZE,
    eE_MATRIX_DIMENSIONS_TOO_LARGE, eE_INVALID_COORDINATES, eE_INVALID_POLYNOMIAL, eE_GRAPH_LIMIT_EXCEEDED,
    eE_EMPTY_MATRIX, eE_INCORRECT_STEP_SIZE, eE_INCORRECT_CONDITIONAL, eE_PLOT_WINDOW_NOT_OPEN,
    eE_RPT_LIMIT_EXCEEDED, eE_GRAPH_PARAMETERS, eE_RPT_NOT_EXECUTED, eE_BAD_INTEGER_VALUES,
    eE_COUNT
};

/// eE_COUNT rows, indexed by error number. Declared without its size so that the definition
/// takes the size of its own rows, which it checks against eE_COUNT.
extern const char* const gc_aacERROR_MESSAGE[];
extern unsigned short g_uiError_Number;   ///< an eERROR; eE_NONE = no error
