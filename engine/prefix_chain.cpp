// SPDX-License-Identifier: GPL-3.0-or-later
// The unary entry: argument-list functions and chains of prefix functions on one operand.
#include "parse_cursor.h"

namespace {

/// Prefix tokens collected into a chain: negation, Sqrt, Roots, and 16 to 56 except the
/// argument-list functions, which read their own arguments.
bool isChainToken(eTOKEN eToken) {
    switch (eToken) {
        case eT_MINUS: case eT_SQRT: case eT_ROOTS:
            return true;
        case eT_DIAG: case eT_ID: case eT_ONES: case eT_NORM: case eT_OPNM: case eT_NCR: case eT_MOD:
            return false;
        default:
            return eToken >= eT_DIAG && eToken <= eT_RREF;
    }
}

}  // namespace

// unary := exceptionalUnary | operand
Matrix ClCalculator::unary() {
    Matrix mValue = exceptionalUnary();
    if (mValue.rows() > 0) return mValue;
    return operand();
}

// exceptionalUnary := Diag | Norm | OpNm | QR | Rpt | Plot | nCr | Mod, each with its list.
// Any other token: nothing consumed, the empty matrix.
Matrix ClCalculator::exceptionalUnary() {
    switch (nextToken()) {
        case eT_DIAG: return diagFunction();
        case eT_NORM: return normFunction(false);
        case eT_OPNM: return normFunction(true);
        case eT_QR: return qrFunction();
        case eT_RPT: return rptFunction();
        case eT_PLOT: return plotFunction();
        case eT_NCR: return nCrFunction();
        case eT_MOD: return modFunction();
        default: return Matrix();
    }
}

// operand := {prefix} primary
// The chain applies from the operand outwards (Sin Ln A is Sin of Ln of A). A non-finite
// operand is eE_INVALID_NUMBERS and comes back unchanged; an empty one is eE_EMPTY_MATRIX.
Matrix ClCalculator::operand() {
    const unsigned short uiStart = lg_uiNext_Token;
    unsigned short uiEnd = uiStart;
    while (isChainToken(lg_aToken_Stream[uiEnd].mp_eToken)) ++uiEnd;
    lg_uiNext_Token = uiEnd;
    Matrix mValue = primary();
    if (!isNumber(mValue)) {
        raiseError(eE_INVALID_NUMBERS);
        return mValue;
    }
    if (mValue.rows() == 0) return raiseError(eE_EMPTY_MATRIX);
    for (unsigned short ui = uiEnd; ui > uiStart; --ui) {
        if (mValue.size() > gc_iMAX_ENTRIES) return raiseError(eE_MATRIX_SIZE);
        const eTOKEN eFunction = lg_aToken_Stream[ui - 1].mp_eToken;
        mValue = isMatrixFunction(eFunction) ? matrixFunction(eFunction, mValue)
                                             : elementFunction(eFunction, std::move(mValue));
        if (mValue.rows() == 0) return mValue;
    }
    return mValue;
}
