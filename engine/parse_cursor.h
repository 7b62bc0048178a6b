// SPDX-License-Identifier: GPL-3.0-or-later
// The parser's read position in the token stream, as every grammar rule reads it.
#pragma once

#include "engine_state.h"

/// The token at a stream position; the null token past the stream's end.
inline eTOKEN tokenAt(unsigned uiIndex) {
    return uiIndex < gc_iSTREAM_SIZE ? lg_aToken_Stream[uiIndex].mp_eToken : eT_NULL;
}

/// The token at the read position.
inline eTOKEN nextToken() { return tokenAt(lg_uiNext_Token); }

/// Steps over the next token when it is eToken.
inline bool accept(eTOKEN eToken) {
    if (nextToken() != eToken) return false;
    ++lg_uiNext_Token;
    return true;
}

/// Steps over a function's own token and its "("; false when the "(" is missing.
inline bool openList() {
    ++lg_uiNext_Token;
    return accept(eT_LPAREN);
}

inline bool isScalar(const Matrix& m) { return m.rows() == 1 && m.cols() == 1; }
