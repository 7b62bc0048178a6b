// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a pasted block of numbers into a matrix: spreadsheet cells, bracketed rows, NumPy's
// nested lists. Display-free; the editor decides what to do with the result.
#pragma once

#include <string>
#include <string_view>

#include "calculator.h"

/// Why a pasted text was refused; the row and column name the first entry at fault.
enum ePASTE_ERROR : int {
    eP_NONE,
    eP_NOT_A_NUMBER,   ///< the entry is not a number of the forms read
    eP_TOO_LARGE,      ///< a number beyond the largest double, as the lexer refuses it
    eP_MISSING,        ///< the row is shorter than row 1 (or empty between rows)
    eP_EXTRA,          ///< the row is longer than row 1
    eP_TOO_MANY,       ///< the entry past the limit of gc_iMAX_ENTRIES
    eP_EMPTY,          ///< no entry at all
    eP_COUNT
};

struct ClPasted {
    Matrix mp_mValues;                 ///< the block, when mp_eError is eP_NONE
    ePASTE_ERROR mp_eError = eP_NONE;
    int mp_iRow = 0, mp_iCol = 0;      ///< 1-based place of the first entry at fault
};

/// Reads the text as rows of entries. Refuses, at the first entry at fault in reading order,
/// a text that is not a rectangular block of at most gc_iMAX_ENTRIES finite numbers. Time and
/// memory grow with the text's length at most; NULs and other bytes are plain characters.
ClPasted readPastedMatrix(std::string_view sText);

/// The message that refuses the paste, e.g. "Paste refused: row 2, column 3 is not a number."
std::string pasteRefusal(const ClPasted& pasted);
