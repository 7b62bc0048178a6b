// SPDX-License-Identifier: GPL-3.0-or-later
// The input-line record and the token record of the stream.
#pragma once

#include <Eigen/Dense>

#include "tokens.h"

constexpr int gc_iLINE_SIZE = 513;        ///< codes of a line, the last position always 0
constexpr int gc_iLINE_MAX_TYPED = 511;   ///< the editor never makes a line longer
/// A stored line may be longer: a Rpt line is stored again with the brackets the lexer closed.
constexpr int gc_iLINE_MAX_STORED = gc_iLINE_SIZE - 1;

/// One input line: the current line, its backup, each history entry.
class ClState {
public:
    unsigned char mp_acInput[gc_iLINE_SIZE];   ///< codes; every position from mp_uiLength on is 0
    unsigned short mp_uiLength;
    unsigned short mp_uiCursor;
    unsigned mp_uiDisplay_Start;               ///< where the line's rendering starts in its buffer;
                                               ///< 32 bits, as a display outgrows 65535 characters
    unsigned short mp_uiRepeat_Times;          ///< written by Rpt; 0 = none
    short mp_iRepeat_From;
    short mp_iRepeat_To;

    ClState();
    ClState(const ClState& other) = default;
    /// Only the used part of a line travels; the tail of the target is always cleared.
    ClState& operator=(const ClState& other);

    /// Renders positions from to to - 1 as the display texts of their tokens, joined.
    void inputToChar(char* dst, unsigned short from, unsigned short to) const;
};

/// One token of the stream. The matrix pointer borrows a variable slot or Ans; never owned.
class ClToken {
public:
    eTOKEN mp_eToken;
    double mp_dValue;                  ///< value of a literal, 0 otherwise
    Eigen::MatrixXcd* mp_pmMatrix;     ///< variable slot or Ans, null otherwise

    ClToken(eTOKEN type = eT_NULL, Eigen::MatrixXcd* matrix = nullptr, double value = 0.0)
        : mp_eToken(type), mp_dValue(value), mp_pmMatrix(matrix) {}
};

extern ClState g_Current_State;       ///< the line being edited or executed
extern ClState g_Current_State_Bkp;   ///< saved copy of the line being edited
